// tests/win32/dpi_test.cpp -- what a program that draws itself at its monitor's DPI asks of
// the layer: the per-monitor functions found by name, the desktop's font at a DPI, bitmaps
// stretched pixel by pixel, texts in a font of its own, windows resized and moved.
#include <gtest/gtest.h>

#include "test_program.h"

using namespace win32_test;

namespace {

NONCLIENTMETRICSW metrics_at(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    EXPECT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi));
    return metrics;
}

FARPROC as_export(void (*function)())
{
    return reinterpret_cast<FARPROC>(function);
}

constexpr int left = 10;
constexpr int top = 20;
constexpr int times = 3;

} // namespace

TEST(PerMonitorDpi, FunctionsFoundByNameAndTheDesktopFontAtEachDpi)
{
    // The functions of Windows 10, under the names a program looks them up by.
    const HMODULE user32 = GetModuleHandleA("USER32.DLL");
    ASSERT_NE(user32, nullptr);
    EXPECT_EQ(GetProcAddress(user32, "GetDpiForWindow"),
              as_export(reinterpret_cast<void (*)()>(&GetDpiForWindow)));
    EXPECT_EQ(GetProcAddress(user32, "AdjustWindowRectExForDpi"),
              as_export(reinterpret_cast<void (*)()>(&AdjustWindowRectExForDpi)));
    EXPECT_EQ(GetProcAddress(user32, "SystemParametersInfoForDpi"),
              as_export(reinterpret_cast<void (*)()>(&SystemParametersInfoForDpi)));
    EXPECT_EQ(GetProcAddress(user32, "GetDpiForMonitor"), nullptr);
    EXPECT_EQ(GetProcAddress(GetModuleHandleA(nullptr), "GetDpiForWindow"), nullptr);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);

    // The message font grows with the DPI; at 96 DPI it is what SystemParametersInfoW says.
    const NONCLIENTMETRICSW at_96 = metrics_at(96);
    const NONCLIENTMETRICSW at_192 = metrics_at(192);
    EXPECT_EQ(at_96.lfMessageFont.lfHeight, -11);
    EXPECT_EQ(at_192.lfMessageFont.lfHeight, -22);
    EXPECT_EQ(std::wstring(at_192.lfMessageFont.lfFaceName), std::wstring(at_96.lfMessageFont.lfFaceName));
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0));
    EXPECT_EQ(system.lfMessageFont.lfHeight, -11);
    system.cbSize = 12;   // a structure the layer does not know
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 12, &system, 0));
}

TEST(PerMonitorDpi, StretchedBitmapTextsInTheProgramsFontResizedAndMovedWindows)
{
    test_program::prepare();
    int paints = 0;
    HFONT large = nullptr;
    test_program::extra = [&paints, &large](HWND window, UINT message, WPARAM, LPARAM) {
        if (message == WM_CREATE) {
            const LOGFONTW at_192 = metrics_at(192).lfMessageFont;
            large = CreateFontIndirectW(&at_192);
        }
        if (message != WM_PAINT)
            return false;
        ++paints;
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        const HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), "carre");
        const HDC dc = GetDC(window);
        const HDC memory = CreateCompatibleDC(dc);
        SelectObject(memory, bitmap);
        EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
        StretchBlt(dc, left, top, times * test_program::bitmap_width, times * test_program::bitmap_height, memory, 0,
                   0, test_program::bitmap_width, test_program::bitmap_height, SRCCOPY);
        TextOutA(dc, 250, 100, "A", 1);
        const HGDIOBJ system_font = SelectObject(dc, large);
        TextOutA(dc, 250, 140, "A", 1);
        EXPECT_EQ(SelectObject(dc, system_font), large);
        DeleteDC(memory);
        ReleaseDC(window, dc);
        DeleteObject(bitmap);
        EndPaint(window, &paint);
        return true;
    };
    add_step([&paints, &large] {
        const HWND window = main_window();
        // Each pixel of the bitmap a block of times x times.
        int different = 0;
        for (int y = 0; y < times * test_program::bitmap_height; ++y) {
            for (int x = 0; x < times * test_program::bitmap_width; ++x)
                different += client_pixel(window, left + x, top + y) !=
                                     test_program::palette_colour(test_program::bitmap_index(x / times, y / times))
                                 ? 1
                                 : 0;
        }
        EXPECT_EQ(different, 0);
        const std::vector<DrawnText> texts = drawn_texts(window);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_GT(texts[1].height, texts[0].height + 8);   // 22 pixels, the system font 12

        // The status line in that font, and back in the system's.
        const HWND status = GetDlgItem(window, test_program::status_id);
        const int own_font = control_font_pixels(window, test_program::status_id);
        SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE);
        EXPECT_EQ(control_font_pixels(window, test_program::status_id), 22);
        SendMessageA(status, WM_SETFONT, 0, TRUE);
        EXPECT_EQ(control_font_pixels(window, test_program::status_id), own_font);

        // A window resized keeps its frame; a child moves within its parent.
        ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 1036, 532, SWP_NOMOVE | SWP_NOZORDER));
        RECT client;
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right, 1032);
        EXPECT_EQ(client.bottom, 490);
        ASSERT_TRUE(SetWindowPos(status, nullptr, 520, 20, 440, 50, SWP_NOZORDER | SWP_NOACTIVATE));
        const RECT moved = control_rect(window, test_program::status_id);
        EXPECT_EQ(moved.left, 520);
        EXPECT_EQ(moved.bottom, 70);
        paints = 0;
        InvalidateRect(window, nullptr, TRUE);
    });
    add_step([&paints, &large] {
        EXPECT_EQ(paints, 1);
        EXPECT_TRUE(DeleteObject(large));
        EXPECT_EQ(gdi_objects_in_use(), 0);
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
}
