// The computer's move: the thinking tournament, its progress, and the move it plays.
#include "game_fixture.h"

#include <cmath>
#include <limits>

#include "app_state.h"
#include "board.h"
#include "tables.h"

using namespace win32_test;

namespace {
std::string thinking(int32_t percent)
{
    return "  Je r\xE9" "fl\xE9" "chis ... " + std::to_string(percent) + " %. ";
}

// Opening position, then white's move on square 21.
Diagram after_white_21()
{
    return {"........", "........", "....W...", "...WW...", "...BW...", "........", "........", "........"};
}

// The squares where two positions differ.
std::vector<int32_t> differences(const Diagram& a, const Diagram& b)
{
    std::vector<int32_t> squares;
    for (int32_t s = 1; s <= 64; ++s) {
        if (a[(s - 1) / 8][(s - 1) % 8] != b[(s - 1) / 8][(s - 1) % 8])
            squares.push_back(s);
    }
    return squares;
}
}

TEST_F(GameTest, ProgressTextsOfTheThinkingTournament)
{
    write_hall(preference_hall());
    const struct {
        UINT item;
        std::vector<int32_t> percents;
    } cases[] = {
        {IDM_LEVEL_1, {}},
        {IDM_LEVEL_2, {50, 100}},
        {IDM_LEVEL_3, {16, 33, 49, 66, 83, 99}},
    };
    for (const auto& c : cases) {
        add_step([&c] {
            EXPECT_TRUE(choose_menu_item(main_window(), c.item));
        });
        add_step([] { click_square(21); });
        EXPECT_EQ(run(), 0);
        std::vector<std::string> expected{" A vous de jouer ! "};
        for (const int32_t percent : c.percents)
            expected.push_back(thinking(percent));
        expected.push_back("  A vous de jouer ! ");
        EXPECT_EQ(status_history(), expected) << "item " << c.item;
    }

    // Level 36: 1260 games, 100 / 1260 points each.
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_36)); });
    add_step([] { click_square(21); });
    EXPECT_EQ(run(), 0);
    const std::vector<std::string> history = status_history();
    ASSERT_EQ(history.size(), 1u + 1260u + 1u);
    for (size_t game = 1; game <= 12; ++game)
        EXPECT_EQ(history[game], thinking(0));
    EXPECT_EQ(history[13], thinking(1));
    EXPECT_EQ(history[1260], thinking(100));
    EXPECT_EQ(history[1261], "  A vous de jouer ! ");
}

TEST_F(GameTest, ComputerPlaysTheChoiceOfTheTournamentWinnerOnTheLivePosition)
{
    const std::vector<float> hall = preference_hall();
    write_hall(hall);
    // The thinking tournament of networks 1 to 3, re-played here: colour 1's points only.
    const std::vector<int16_t> scores = tournament_scores(hall.data(), 3, false);
    int32_t winner = 1;
    for (int32_t n = 2; n <= 3; ++n)
        winner = scores[n] > scores[winner] ? n : winner;

    int32_t expected_square = 0;
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_3)); });
    add_step([&] {
        click_square(21);
    });
    add_step([&] {
        EXPECT_EQ(side_to_move, white);
        const std::vector<int32_t> changed = differences(after_white_21(), position_now());
        // One new black piece; every other change is a white piece turned black.
        int32_t placed = 0;
        for (const int32_t s : changed) {
            const char before = after_white_21()[(s - 1) / 8][(s - 1) % 8];
            if (before == '.')
                placed = s;
            else
                EXPECT_EQ(before, 'W');
            EXPECT_EQ(current_board[s], black);
        }
        // The winner's own choice on the position after white's move.
        uint8_t board[board_cells] = {};
        uint8_t* const program_board = current_board;
        current_board = board;
        set_position(after_white_21());
        expected_square = preferred_move(type_of(winner), black);
        play_move(expected_square, black);
        const Diagram expected = position_now();
        current_board = program_board;
        find_legal_moves(side_to_move);
        EXPECT_EQ(placed, expected_square);
        EXPECT_EQ(position_now(), expected);
        EXPECT_EQ(current_board[0], 0);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_NE(expected_square, 0);
    for (int32_t n = 1; n <= 3; ++n)
        EXPECT_EQ(score_table[n], scores[n]) << n;
}

TEST_F(GameTest, ComputerWithoutAChoosableSquarePlaysNothing)
{
    // Network 1's outputs are all minus infinity: no legal square beats the starting value.
    std::vector<float> hall = preference_hall();
    for (int32_t o = 1; o <= outputs; ++o)
        hall[network_base(1) + output_block + o] = -std::numeric_limits<float>::infinity();
    write_hall(hall);
    add_step([] { click_square(21); });
    add_step([] {
        EXPECT_EQ(position_now(), after_white_21());
        EXPECT_EQ(current_board[0], 0);
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(legal_move_map[35] + legal_move_map[43] + legal_move_map[44], 3); // white's moves again
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(message_boxes().empty());
}
