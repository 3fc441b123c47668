// platform/win32/system_dpi.cpp -- the system's modules and its DPI. The layer's screen is
// at 96 DPI whatever the display: Qt scales the windows with the desktop. The functions of
// per-monitor DPI are there, and programs find them by name as on Windows 10.
#include <cctype>
#include <cstring>
#include <string>

#include "fonts.h"
#include "layer_state.h"

namespace win32_layer {
namespace {

constexpr uintptr_t instance_number = 0x400000;

bool same_module(const char* name, const char* wanted)
{
    std::string lowered = name;
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered == wanted || lowered == std::string(wanted) + ".dll";
}

template <typename Function>
FARPROC exported(Function* function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

struct Export {
    const char* name;
    FARPROC function;
};

} // namespace
} // namespace win32_layer

using namespace win32_layer;

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name)
{
    if (module_name == nullptr)
        return to_handle<HMODULE>(instance_number);
    return same_module(module_name, "user32") ? to_handle<HMODULE>(user32_module) : nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name)
{
    static const Export user32_exports[] = {
        {"GetDpiForWindow", exported(&GetDpiForWindow)},
        {"AdjustWindowRectExForDpi", exported(&AdjustWindowRectExForDpi)},
        {"SystemParametersInfoForDpi", exported(&SystemParametersInfoForDpi)},
    };
    if (module != to_handle<HMODULE>(user32_module) || name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    for (const Export& entry : user32_exports) {
        if (std::strcmp(entry.name, name) == 0)
            return entry.function;
    }
    return nullptr;
}

UINT WINAPI GetDpiForWindow(HWND window)
{
    return find_window(window) != nullptr ? USER_DEFAULT_SCREEN_DPI : 0;
}

int WINAPI GetDeviceCaps(HDC, int index)
{
    return index == LOGPIXELSX || index == LOGPIXELSY ? USER_DEFAULT_SCREEN_DPI : 0;
}

BOOL WINAPI AdjustWindowRectExForDpi(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style, UINT)
{
    // The frame the layer counts is the same at every DPI: Qt draws the real one.
    return AdjustWindowRectEx(rect, style, menu, ex_style);
}

BOOL WINAPI SystemParametersInfoForDpi(UINT action, UINT uint_param, PVOID param, UINT, UINT dpi)
{
    // Only the fonts of the non-client metrics: the rest is the frame Qt draws.
    if (action != SPI_GETNONCLIENTMETRICS || param == nullptr || uint_param != sizeof(NONCLIENTMETRICSW))
        return FALSE;
    auto& metrics = *static_cast<NONCLIENTMETRICSW*>(param);
    if (metrics.cbSize != sizeof(NONCLIENTMETRICSW))
        return FALSE;
    metrics = NONCLIENTMETRICSW{};
    metrics.cbSize = sizeof(NONCLIENTMETRICSW);
    const LOGFONTW font = desktop_font(dpi);
    metrics.lfCaptionFont = metrics.lfSmCaptionFont = metrics.lfMenuFont = font;
    metrics.lfStatusFont = metrics.lfMessageFont = font;
    return TRUE;
}

BOOL WINAPI SystemParametersInfoW(UINT action, UINT uint_param, PVOID param, UINT win_ini)
{
    return SystemParametersInfoForDpi(action, uint_param, param, win_ini, USER_DEFAULT_SCREEN_DPI);
}
