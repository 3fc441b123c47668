// platform/win32/resources.h -- the program's resources looked up by name, case-insensitively
// as on Windows, in the tables linked into the program (resource_data.h).
#pragma once

#include <windows.h>

#include "resource_data.h"

namespace win32_layer {

const win32_resources::MenuResource* find_menu_resource(LPCSTR name);
const win32_resources::DialogResource* find_dialog_resource(LPCSTR name);
const win32_resources::FileResource* find_bitmap_resource(LPCSTR name);
const win32_resources::FileResource* find_icon_resource(LPCSTR name);

// Case-insensitive comparison of ASCII names.
bool same_name(const char* a, const char* b);

} // namespace win32_layer
