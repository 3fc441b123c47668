// tests/win32/dpi_test.cpp -- what a program that draws itself at its monitor's DPI asks of
// the layer: the per-monitor functions found by name, the desktop's font at a DPI, bitmaps
// stretched pixel by pixel, texts in a font of its own. (The game's tests move its window
// to another DPI: its size, its status line's place and font.)
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
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0));
    EXPECT_EQ(system.lfMessageFont.lfHeight, -11);
    system.cbSize = 12;   // a structure the layer does not know
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 12, &system, 0));
}

TEST(PerMonitorDpi, StretchedBitmapAndTextsInTheProgramsFont)
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
        // Selected out again, the font can go; the window asks to be painted again.
        EXPECT_TRUE(DeleteObject(large));
        EXPECT_EQ(gdi_objects_in_use(), 0);
        large = nullptr;
        paints = 0;
        InvalidateRect(window, nullptr, TRUE);
    });
    add_step([&paints] { EXPECT_EQ(paints, 1); });
    EXPECT_EQ(run_program(test_program::entry), 0);
}
