// platform/win32/resource_templates.h -- menu and dialog resources: the binary templates
// the resource compiler writes, read as Windows reads them. Texts are Windows-1252 bytes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace win32_layer {

// One item of a menu template, in template order: a pop-up's items follow it, one level
// deeper. Level 0 is the menu bar; a pop-up has id 0.
struct MenuTemplateItem {
    std::string text;
    UINT id = 0;
    size_t level = 0;
    bool popup = false;
    UINT flags = 0;   // MF_ flags of the item as compiled (MF_GRAYED, MF_CHECKED, ...)
};

// The menu resource `name`, or nothing when there is none or it cannot be read.
std::optional<std::vector<MenuTemplateItem>> menu_template(LPCSTR name);

struct DialogTemplateItem {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;   // dialog units
    int id = 0;                         // 16 bits, sign-extended: -1 for the unnamed statics
    std::string class_name;             // "BUTTON", "STATIC", ... for the predefined classes
    std::string text;                   // for SS_ICON the icon's name ("#N" for a number)
};

struct DialogTemplate {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;   // dialog units
    std::string caption;
    int font_points = 0;                // with DS_SETFONT
    std::string font_name;
    std::vector<DialogTemplateItem> items;
};

// The dialog resource `name`, or nothing when there is none or it cannot be read.
std::optional<DialogTemplate> dialog_template(LPCSTR name);

} // namespace win32_layer
