// tests/win32/drawing_test.cpp -- bitmaps blitted onto the window's surface, texts drawn on it.
#include <gtest/gtest.h>

#include "test_program.h"

using namespace win32_test;

namespace {

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { test_program::prepare(); }
};

constexpr int left = 10;
constexpr int top = 20;
constexpr int second_top = top + 30;   // below the text cell of the first blank

// WM_PAINT as a game paints: the bitmap at (left, top), then a blank in each background mode.
bool paint(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message != WM_PAINT)
        return false;
    PAINTSTRUCT paint_record;
    BeginPaint(window, &paint_record);
    const HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), "carre");
    BITMAP size{};
    EXPECT_EQ(GetObjectA(bitmap, 24, &size), 24);
    const HDC dc = GetDC(window);
    const HDC memory = CreateCompatibleDC(dc);
    SelectObject(memory, bitmap);
    BitBlt(dc, left, top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    BitBlt(dc, left, second_top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    TextOutA(dc, left, top, " ", 1);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, left, second_top, " ", 1);
    SetBkMode(dc, OPAQUE);
    char text[32];
    TextOutA(dc, 250, 140, text, wsprintfA(text, "Score des Noirs  = %d.   ", 2));
    DeleteDC(memory);
    ReleaseDC(window, dc);
    DeleteObject(bitmap);
    EndPaint(window, &paint_record);
    return true;
}

} // namespace

TEST_F(DrawingTest, BlittedBitmapAndTextsOnTheSurface)
{
    test_program::extra = paint;
    add_step([] {
        const HWND window = main_window();
        // The second copy shows every pixel, upright, with its palette colour;
        // a transparent blank leaves it as it is.
        for (int y = 0; y < test_program::bitmap_height; ++y) {
            for (int x = 0; x < test_program::bitmap_width; ++x)
                EXPECT_EQ(client_pixel(window, left + x, second_top + y),
                          test_program::palette_colour(test_program::bitmap_index(x, y)))
                    << x << "," << y;
        }
        // An opaque blank covers the first copy's top-left pixels with the white background.
        EXPECT_EQ(client_pixel(window, left, top), 0xFFFFFFu);
        EXPECT_EQ(client_pixel(window, left + test_program::bitmap_width, second_top), 0xFFFFFFu);   // beyond
        EXPECT_EQ(client_pixel(window, 9999, 0), 0xFFFFFFFFu);
        const std::vector<DrawnText> texts = drawn_texts(window);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[2].x, 250);
        EXPECT_EQ(texts[2].y, 140);
        EXPECT_EQ(texts[2].text, "Score des Noirs  = 2.   ");
        // Every device context and bitmap was given back.
        EXPECT_EQ(gdi_objects_in_use(), 0);
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
}

TEST_F(DrawingTest, ExposedWindowIsPaintedAgainWhenTheQueueIsEmpty)
{
    int paints = 0;
    test_program::extra = [&paints](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        paints += message == WM_PAINT ? 1 : 0;
        return paint(window, message, wparam, lparam);
    };
    add_step([&paints] {
        EXPECT_EQ(paints, 1);   // UpdateWindow after ShowWindow
        expose(main_window());
    });
    add_step([&paints] { EXPECT_EQ(paints, 2); });
    EXPECT_EQ(run_program(test_program::entry), 0);
}
