// The scale the main window is drawn at. Its layout is given in pixels at 96 DPI (display.h);
// on a monitor of a higher DPI the board, the pieces, the cursors and the places of the
// texts and the status line are a whole number of times larger, each pixel a block, and
// the texts are drawn in the desktop's font at the monitor's DPI.
#pragma once
#include <windows.h>

#include <cstdint>

// The DPI at which the layout's pixels are the screen's.
constexpr UINT base_dpi = USER_DEFAULT_SCREEN_DPI;

// The multiple at `dpi`: its scale rounded up, so that texts drawn at the DPI's scale
// always fit the layout drawn at the multiple. 100 %: 1; 125 % to 200 %: 2; 225 % to
// 300 %: 3; 325 % to 400 %: 4.
constexpr int32_t multiple_for_dpi(UINT dpi)
{
    return dpi <= base_dpi ? 1 : static_cast<int32_t>((dpi + base_dpi - 1) / base_dpi);
}

// A length of the layout at the main window's multiple.
int32_t scaled(int32_t pixels);
// The main window's outer rectangle, at 0, 0, whose client area holds the layout at `dpi`
// inside the frame that Windows draws at that DPI.
RECT main_window_rect(UINT dpi);
// Makes `dpi` the main window's: its multiple, the texts' font, and the status line's
// place and font.
void set_scale(HWND window, UINT dpi);
// Puts the status line where the layout has it at the window's multiple, in the texts' font.
void place_status_line(HWND window);
