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

// The figures come from the Python model of the rules (tests/reference): from the
// opening, networks 1 and 3 win their games as colour 1 and network 2 none, so the
// thinking tournament of level 3 ends 3, 0, 3. Network 1, the first of the best, answers
// white's 35 with 45 (network 3 would play 43, and 45 is not legal on the opening).
TEST_F(GameTest, ComputerPlaysTheChoiceOfTheTournamentWinnerOnTheLivePosition)
{
    write_hall(preference_hall());
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_3)); });
    add_step([] { click_square(35); });
    add_step([] {
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(position_now(),
                  (Diagram{"........", "........", "........", "...WB...", "..WWB...", "....B...", "........",
                           "........"}));
        EXPECT_EQ(current_board[0], 0);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(score_table[1], 3);
    EXPECT_EQ(score_table[2], 0);
    EXPECT_EQ(score_table[3], 3);
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
