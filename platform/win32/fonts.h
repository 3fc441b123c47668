// platform/win32/fonts.h -- the fonts the layer draws with: the device contexts' default font
// (a fixed-pitch, bold, system-like font), the 8-point dialog font, and the fonts a program
// creates from a LOGFONTW.
#pragma once

#include <QFont>

#include <windows.h>

namespace win32_layer {

const QFont& system_font();
const QFont& dialog_font();

// The desktop's message font at `dpi`, as SystemParametersInfoForDpi describes it: the
// dialog font, its height in proportion to the DPI.
LOGFONTW desktop_font(UINT dpi);
// The font a LOGFONTW describes: its face, its height (a character height when below
// zero, a line height when above) and weight.
QFont font_of(const LOGFONTW& description);

} // namespace win32_layer
