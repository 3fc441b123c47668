// platform/win32/resource_templates.cpp -- reading MENU and DIALOG templates.
#include "resource_templates.h"

#include <array>
#include <charconv>

#include "resources.h"

namespace win32_layer {
namespace {

constexpr uint16_t popup_flag = 0x0010;      // MF_POPUP
constexpr uint16_t last_item_flag = 0x0080;  // MF_END: the last item of its menu
constexpr size_t deepest_menu = 16;

// The classes a dialog item names by number.
constexpr uint16_t first_predefined_class = 0x80;
constexpr std::array<const char*, 6> predefined_classes = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR",
                                                           "COMBOBOX"};

// The items of one menu and, after each pop-up, its own items; false when unreadable.
bool read_menu_items(ResourceReader& reader, size_t level, std::vector<MenuTemplateItem>& items)
{
    if (level > deepest_menu)
        return false;
    for (;;) {
        MenuTemplateItem item;
        const uint16_t flags = reader.u16();
        item.popup = (flags & popup_flag) != 0;
        item.id = item.popup ? 0 : reader.u16();
        item.text = reader.text();
        item.level = level;
        item.flags = flags & ~(popup_flag | last_item_flag);
        if (reader.failed())
            return false;
        items.push_back(std::move(item));
        if ((flags & popup_flag) != 0 && !read_menu_items(reader, level + 1, items))
            return false;
        if ((flags & last_item_flag) != 0)
            return true;
    }
}

std::string class_name(ResourceReader& reader)
{
    std::string name = reader.name();
    unsigned number = 0;
    if (name.starts_with('#') && std::from_chars(name.data() + 1, name.data() + name.size(), number).ec == std::errc{} &&
        number - first_predefined_class < predefined_classes.size())
        return predefined_classes[number - first_predefined_class];
    return name;
}

void read_geometry(ResourceReader& reader, int& x, int& y, int& cx, int& cy)
{
    x = reader.i16();
    y = reader.i16();
    cx = reader.i16();
    cy = reader.i16();
}

} // namespace

std::optional<std::vector<MenuTemplateItem>> menu_template(LPCSTR name)
{
    ResourceReader reader(find_resource(menu_type, name));
    // A header of version 0 (the extended templates have version 1) and the items' offset.
    if (reader.u16() != 0)
        return std::nullopt;
    reader.skip(reader.u16());
    std::vector<MenuTemplateItem> items;
    if (!read_menu_items(reader, 0, items))
        return std::nullopt;
    return items;
}

std::optional<DialogTemplate> dialog_template(LPCSTR name)
{
    ResourceReader reader(find_resource(dialog_type, name));
    DialogTemplate dialog;
    dialog.style = reader.u32();
    // Extended templates start with version 1 and 0xFFFF; the program's dialogs are plain ones.
    if (dialog.style == 0xFFFF0001u)
        return std::nullopt;
    reader.u32();   // extended style
    const uint16_t item_count = reader.u16();
    read_geometry(reader, dialog.x, dialog.y, dialog.cx, dialog.cy);
    reader.name();   // menu
    reader.name();   // window class
    dialog.caption = reader.text();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.font_points = reader.u16();
        dialog.font_name = reader.text();
    }
    for (uint16_t index = 0; index < item_count && !reader.failed(); ++index) {
        reader.align(4);
        DialogTemplateItem item;
        item.style = reader.u32();
        reader.u32();   // extended style
        read_geometry(reader, item.x, item.y, item.cx, item.cy);
        item.id = reader.i16();
        item.class_name = class_name(reader);
        item.text = reader.name();
        // Creation data: a size that counts its own word, then the data.
        if (const uint16_t data_size = reader.u16(); data_size > 2)
            reader.skip(data_size - 2u);
        dialog.items.push_back(std::move(item));
    }
    if (reader.failed())
        return std::nullopt;
    return dialog;
}

} // namespace win32_layer
