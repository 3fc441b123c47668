#include "dpi_interfaces.h"

namespace {
using GetDpiForWindowPointer = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiPointer = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiPointer = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// A function of user32.dll by name, or nullptr on a Windows without it.
template <typename Pointer>
Pointer user32_function(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(found));
}
}

UINT dpi_of_window(HWND window)
{
    static const auto get_dpi_for_window = user32_function<GetDpiForWindowPointer>("GetDpiForWindow");
    if (get_dpi_for_window != nullptr)
        return get_dpi_for_window(window);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

BOOL adjust_window_rect_for_dpi(RECT& rect, DWORD style, BOOL menu, UINT dpi)
{
    static const auto adjust_for_dpi = user32_function<AdjustWindowRectExForDpiPointer>("AdjustWindowRectExForDpi");
    if (adjust_for_dpi != nullptr)
        return adjust_for_dpi(&rect, style, menu, 0, dpi);
    return AdjustWindowRectEx(&rect, style, menu, 0); // the system's DPI, the only one there
}

HFONT create_desktop_font(UINT dpi)
{
    static const auto parameters_for_dpi =
        user32_function<SystemParametersInfoForDpiPointer>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const BOOL found = parameters_for_dpi != nullptr
                           ? parameters_for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)
                           : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return found ? CreateFontIndirectW(&metrics.lfMessageFont) : nullptr;
}
