#include "scale.h"

#include "app_state.h"
#include "display.h"
#include "dpi_interfaces.h"
#include "main_window.h"
#include "resource.h"

int32_t scaled(int32_t pixels)
{
    return pixels * display_multiple;
}

RECT main_window_rect(UINT dpi)
{
    const int32_t multiple = multiple_for_dpi(dpi);
    RECT outer{0, 0, client_width * multiple, client_height * multiple};
    adjust_window_rect_for_dpi(outer, main_window_style, TRUE, dpi); // the class menu is on every main window
    return outer;
}

void set_scale(HWND window, UINT dpi)
{
    window_dpi = dpi;
    display_multiple = multiple_for_dpi(dpi);
    // At 96 DPI the texts keep the device context's own font, as they always had.
    const HFONT previous = text_font;
    text_font = dpi == base_dpi ? nullptr : create_desktop_font(dpi);
    place_status_line(window);
    if (previous != nullptr)
        DeleteObject(previous); // the status line has let go of it
}

void place_status_line(HWND window)
{
    const HWND status = GetDlgItem(window, IDC_STATUS);
    if (status == nullptr)
        return; // not made yet
    SetWindowPos(status, nullptr, scaled(status_left), scaled(status_top), scaled(status_width),
                 scaled(status_height), SWP_NOZORDER | SWP_NOACTIVATE);
    // A null font is the system's, which the status line has from its creation.
    SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(text_font), TRUE);
}
