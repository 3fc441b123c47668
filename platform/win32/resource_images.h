// platform/win32/resource_images.h -- bitmap, icon and cursor resources put back together
// as the image files they were compiled from, for Qt's image readers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32_layer {

// The bitmap resource `name` as a .bmp file; empty when there is none. The resource is the
// file without its file header.
std::vector<uint8_t> bitmap_file(LPCSTR name);

// The icon or cursor resource `name` as an .ico or .cur file, from its group (the directory)
// and its images; empty when there is none.
std::vector<uint8_t> icon_file(LPCSTR name);
std::vector<uint8_t> cursor_file(LPCSTR name);

} // namespace win32_layer
