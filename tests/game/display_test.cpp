// The board on screen: squares under the pointer, cursors, texts, pieces, clicks.
#include "game_fixture.h"

#include "app_state.h"
#include "board.h"
#include "display.h"
#include "tables.h"

using namespace win32_test;

namespace {
const Diagram opening = {"........", "........", "........", "...WB...",
                         "...BW...", "........", "........", "........"};

// Moves the pointer there; the next step, once the movement is handled, checks the cursor.
void expect_cursor(int32_t x, int32_t y, CursorKind kind, const std::string& file = "")
{
    add_step([=] { move_pointer(main_window(), x, y); });
    add_step([=] {
        EXPECT_EQ(current_cursor().kind, kind) << x << ", " << y;
        if (kind == CursorKind::from_file) {
            EXPECT_EQ(current_cursor().file, file) << x << ", " << y;
        }
    });
}
}

TEST(SquareAt, OffsetsTwoToThirtyOneAreTheFirstSquareAndTheOuterLinesAreOutside)
{
    const struct {
        int32_t offset, index; // index 0: outside
    } cases[] = {{-1, 0}, {0, 0}, {1, 0}, {2, 1}, {31, 1}, {32, 2}, {61, 2}, {62, 3}, {241, 8}, {242, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(square_at(c.offset, 100), c.index == 0 ? 0 : c.index + 8 * 3) << c.offset;
        EXPECT_EQ(square_at(100, c.offset), c.index == 0 ? 0 : 4 + 8 * (c.index - 1)) << c.offset;
    }
    EXPECT_EQ(square_at(2, 2), 1);
    EXPECT_EQ(square_at(241, 241), 64);
}

TEST_F(GameTest, CursorShowsWhereThePersonMayPlay)
{
    write_hall(preference_hall());
    // Square 21 (column 5, row 3) is legal for white at the start: offsets 122..151, 62..91.
    expect_cursor(122, 62, CursorKind::from_file, "oui.cur");
    expect_cursor(151, 91, CursorKind::from_file, "oui.cur");
    expect_cursor(152, 91, CursorKind::from_file, "non.cur");  // square 22: captures nothing
    expect_cursor(121, 62, CursorKind::from_file, "non.cur");  // square 20
    expect_cursor(100, 100, CursorKind::from_file, "non.cur"); // square 28: occupied
    expect_cursor(241, 241, CursorKind::from_file, "non.cur"); // square 64
    expect_cursor(242, 100, CursorKind::standard_cross);
    expect_cursor(1, 100, CursorKind::standard_cross);
    expect_cursor(300, 20, CursorKind::standard_cross);  // over the status line
    expect_cursor(300, 150, CursorKind::standard_cross); // over the texts
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, MissingCursorFileHidesThePointerOverTheSquares)
{
    write_hall(preference_hall());
    std::filesystem::remove("oui.cur");
    expect_cursor(130, 70, CursorKind::null_cursor);
    expect_cursor(160, 70, CursorKind::from_file, "non.cur");
    expect_cursor(300, 150, CursorKind::standard_cross);
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, TextsAndPiecesOfTheOpeningPosition)
{
    write_hall(preference_hall());
    add_step([] {
        const HWND window = main_window();
        const std::vector<DrawnText> texts = drawn_texts(window);
        ASSERT_GE(texts.size(), 3u);
        const DrawnText* last = &texts[texts.size() - 3];
        EXPECT_EQ(last[0].text, "Vous jouez avec la couleur blanche.  ");
        EXPECT_EQ(last[1].text, "Score des Noirs  = 2.   ");
        EXPECT_EQ(last[2].text, "Score des Blancs = 2.   ");
        EXPECT_EQ(last[0].x, 250);
        EXPECT_EQ(last[0].y, 100);
        EXPECT_EQ(last[1].x, 250);
        EXPECT_EQ(last[1].y, 140);
        EXPECT_EQ(last[2].x, 250);
        EXPECT_EQ(last[2].y, 160);
        // Disc centres: white on squares (4, 4) and (5, 5), black on (5, 4) and (4, 5).
        const auto centre = [](int32_t i) { return 1 + 30 * (i - 1) + 13; };
        EXPECT_EQ(client_pixel(window, centre(4), centre(4)), 0xFFFFFFu);
        EXPECT_EQ(client_pixel(window, centre(5), centre(5)), 0xFFFFFFu);
        EXPECT_EQ(client_pixel(window, centre(5), centre(4)), 0x000000u);
        EXPECT_EQ(client_pixel(window, centre(4), centre(5)), 0x000000u);
        EXPECT_EQ(client_pixel(window, centre(1), centre(1)), 0xC0C0C0u);
        // The client area holds the board with its white strip and the texts.
        RECT client;
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right, 516);
        EXPECT_EQ(client.bottom, 245);
        EXPECT_EQ(client_pixel(window, 243, 243), 0xFFFFFFu);
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, ClickOnAnIllegalSquareOrOutsideChangesNothing)
{
    write_hall(preference_hall());
    add_step([] {
        click_square(28); // occupied
        click_square(1);  // empty, captures nothing
        click(main_window(), 300, 200);
        click(main_window(), 1, 50);
    });
    add_step([] {
        EXPECT_EQ(position_now(), opening);
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(status_history().size(), 1u);
        EXPECT_EQ(legal_move_map[21] + legal_move_map[30] + legal_move_map[35] + legal_move_map[44], 4);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(message_boxes().empty());
}
