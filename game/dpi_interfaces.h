// The Windows interfaces of per-monitor DPI, which Windows has from Windows 10 1607 on. They
// are looked up when first used, so that the program still starts on the Windows before:
// there it takes the system's DPI, which Windows tells a program that declares itself
// DPI-aware (korvane.manifest), and the frame and fonts that go with it.
#pragma once
#include <windows.h>

// The DPI of the monitor that `window` is on.
UINT dpi_of_window(HWND window);
// AdjustWindowRectEx for the frame that Windows draws around a window at `dpi`.
BOOL adjust_window_rect_for_dpi(RECT& rect, DWORD style, BOOL menu, UINT dpi);
// The desktop's message font at `dpi`, or nullptr; the caller deletes it.
HFONT create_desktop_font(UINT dpi);
