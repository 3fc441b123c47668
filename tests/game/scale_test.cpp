// The main window on a monitor of another DPI: the multiple chosen, the board, the texts,
// the status line and the cursors at that multiple, the pointer mapped back by it, and
// all of it as before once the window is back at 96 DPI.
#include "game_fixture.h"

#include "app_state.h"
#include "board.h"
#include "scale.h"
#include "tables.h"

using namespace win32_test;

namespace {
constexpr int32_t board_side = 244;

std::vector<uint32_t> board_pixels(int32_t multiple)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < board_side * multiple; ++y) {
        for (int32_t x = 0; x < board_side * multiple; ++x)
            pixels.push_back(client_pixel(main_window(), x, y));
    }
    return pixels;
}

// What Windows does when the window moves to a monitor of `dpi`: it asks for the size there,
// then suggests it.
void move_to_monitor(UINT dpi)
{
    SIZE size{0, 0};
    EXPECT_EQ(SendMessageA(main_window(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)), TRUE);
    RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
    SendMessageA(main_window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void expect_layout(int32_t multiple)
{
    RECT client;
    ASSERT_TRUE(GetClientRect(main_window(), &client));
    EXPECT_EQ(client.right, 516 * multiple);
    EXPECT_EQ(client.bottom, 245 * multiple);
    const RECT status = control_rect(main_window(), IDC_STATUS);
    EXPECT_EQ(status.left, 260 * multiple);
    EXPECT_EQ(status.top, 10 * multiple);
    EXPECT_EQ(status.right, 480 * multiple);
    EXPECT_EQ(status.bottom, 35 * multiple);
    const std::vector<DrawnText> texts = drawn_texts(main_window());
    ASSERT_GE(texts.size(), 3u);
    const DrawnText* last = &texts[texts.size() - 3];
    EXPECT_EQ(last[0].x, 250 * multiple);
    EXPECT_EQ(last[0].y, 100 * multiple);
    EXPECT_EQ(last[1].y, 140 * multiple);
    EXPECT_EQ(last[2].y, 160 * multiple);
}

// The cursor at a point of the client area, once the movement is handled.
CursorInfo cursor_at(int32_t x, int32_t y)
{
    move_pointer(main_window(), x, y);
    return current_cursor();
}
}

TEST(MultipleForDpi, TheScaleRoundedUp)
{
    const struct {
        UINT dpi;
        int32_t multiple;
    } scales[] = {{72, 1}, {96, 1}, {120, 2}, {144, 2}, {168, 2}, {192, 2}, {216, 3}, {240, 3}, {288, 3}, {336, 4}};
    for (const auto& scale : scales)
        EXPECT_EQ(multiple_for_dpi(scale.dpi), scale.multiple) << scale.dpi;
}

TEST_F(GameTest, AtTwiceTheDpiEachPixelIsABlockAndThePointerMapsBack)
{
    write_hall(preference_hall());
    std::vector<uint32_t> at_96;
    int text_height_96 = 0;
    add_step([&] {
        at_96 = board_pixels(1);
        text_height_96 = drawn_texts(main_window()).back().height;
        move_to_monitor(192);
    });
    add_step([&] {
        expect_layout(2);
        EXPECT_GT(drawn_texts(main_window()).back().height, text_height_96); // the desktop's font at 192 DPI
        EXPECT_EQ(control_font_pixels(main_window(), IDC_STATUS), 22);
        const std::vector<uint32_t> at_192 = board_pixels(2);
        int32_t different = 0;
        for (int32_t y = 0; y < 2 * board_side; ++y) {
            for (int32_t x = 0; x < 2 * board_side; ++x)
                different += at_192[2 * board_side * y + x] != at_96[board_side * (y / 2) + x / 2] ? 1 : 0;
        }
        EXPECT_EQ(different, 0);
        // Square (5, 3), legal for white, spans board offsets 122 to 151 at 96 DPI: screen
        // pixels 244 to 303 here; the cursors are twice their size.
        const CursorInfo yes = cursor_at(244, 124);
        EXPECT_EQ(yes.file, "oui.cur");
        EXPECT_EQ(yes.size.cx, 64);
        EXPECT_EQ(yes.hot_spot.x, 30);
        EXPECT_EQ(cursor_at(243, 124).file, "non.cur");
        EXPECT_EQ(cursor_at(303, 183).file, "oui.cur");
        EXPECT_EQ(cursor_at(304, 183).file, "non.cur");
        EXPECT_EQ(cursor_at(3, 100).kind, CursorKind::standard_cross); // board offset 1
        EXPECT_EQ(cursor_at(4, 100).file, "non.cur");
        move_to_monitor(96);
    });
    add_step([&] {
        expect_layout(1);
        EXPECT_EQ(drawn_texts(main_window()).back().height, text_height_96);
        EXPECT_EQ(control_font_pixels(main_window(), IDC_STATUS), 12);
        EXPECT_TRUE(board_pixels(1) == at_96);
        EXPECT_EQ(cursor_at(122, 62).size.cx, 32);
        move_to_monitor(192);
    });
    add_step([] { click(main_window(), 303, 183); }); // the last pixel of square (5, 3)
    add_step([] { EXPECT_EQ(position_now()[2][4], 'W'); });
    EXPECT_EQ(run(), 0);
}
