// platform/win32/fonts.h -- the two fonts the layer draws with: the device contexts' default
// font (a fixed-pitch, bold, system-like font) and the 8-point dialog font.
#pragma once

#include <QFont>

namespace win32_layer {

const QFont& system_font();
const QFont& dialog_font();

} // namespace win32_layer
