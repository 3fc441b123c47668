// platform/win32/resource_data.h -- the program's resources as the Linux layer embeds them.
// The program links its tables: korvane's are written by a build step from
// game/resources/korvane.rc, so both platforms share one source.
#pragma once
#include <cstdint>
#include <span>

namespace win32_resources {

// One menu entry, in the order of the script (pre-order). level 0 = entry on the bar.
// A pop-up has popup = true and id = 0; its items follow with level + 1.
// A command directly on the bar has level 0, popup = false and its id.
struct MenuEntry {
    const char* text;   // Windows-1252 bytes, '&' kept as written
    uint16_t id;
    uint8_t level;
    bool popup;
    uint32_t flags;     // MF_ flags written in the script (0 here: nothing checked or greyed)
};

struct MenuResource {
    const char* name;                    // as written in the script, e.g. "MYAPP"
    std::span<const MenuEntry> entries;
};

struct DialogControl {
    int16_t id;             // -1 for IDC_STATIC
    const char* class_name; // "BUTTON", "STATIC", ...
    const char* text;       // Windows-1252; for SS_ICON the icon's resource name
    uint32_t style;         // full style word, WS_CHILD | WS_VISIBLE included as written
    int16_t x, y, cx, cy;   // dialog units
};

struct DialogResource {
    const char* name;       // e.g. "ABOUTBOX", "DIALOG1"
    int16_t x, y, cx, cy;   // dialog units
    uint32_t style;
    const char* caption;
    uint16_t font_points;
    const char* font_name;
    std::span<const DialogControl> controls;
};

// Bitmaps, icons and cursors are the exact bytes of the .bmp, .ico and .cur files named in the script.
struct FileResource {
    const char* name;       // e.g. "GRILLE1", "MYAPP", "OUI"
    std::span<const uint8_t> bytes;
};

struct VersionString {
    const char* key;        // "FileVersion", "ProductName", ...
    const char* value;
};

extern const std::span<const MenuResource> menus;
extern const std::span<const DialogResource> dialogs;
extern const std::span<const FileResource> bitmaps;
extern const std::span<const FileResource> icons;
extern const std::span<const FileResource> cursors;
extern const std::span<const VersionString> version_strings;

} // namespace win32_resources
