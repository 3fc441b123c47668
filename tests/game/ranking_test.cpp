// The ranking of the stored networks: the new order, its effects, and the file left alone.
#include "game_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app_state.h"
#include "board.h"
#include "tables.h"

using namespace win32_test;

namespace {
std::string file_bytes(const char* name)
{
    std::ifstream file(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string sorting(int32_t percent)
{
    return "  Je trie le r\xE9seau ... " + std::to_string(percent) + " %. ";
}
}

TEST_F(GameTest, RankingReordersTheNetworksBestFirstForTheRestOfTheRun)
{
    const std::vector<float> hall = preference_hall();
    write_hall(hall);
    const std::string stored = file_bytes("meillfl.don");

    // The order that the Python model of the rules (tests/reference) gives: the six
    // networks of each type score alike over their 70 games, type 4 best (129 points),
    // then types 0 and 5 (123 each, by number), 1 (105), 2 (93) and 3 (51).
    const std::vector<int32_t> order{5,  11, 17, 23, 29, 35, 1,  6,  7,  12, 13, 18, 19, 24, 25, 30, 31, 36,
                                     2,  8,  14, 20, 26, 32, 3,  9,  15, 21, 27, 33, 4,  10, 16, 22, 28, 34};

    Diagram live;
    size_t history_before = 0;
    add_step([] { click_square(21); });
    add_step([&] {
        live = position_now();
        history_before = status_history().size();
        EXPECT_TRUE(choose_menu_item(main_window(), IDM_RANK));
    });
    add_step([&] {
        const HWND window = main_window();
        EXPECT_TRUE(menu_item_greyed(window, IDM_RANK));
        EXPECT_EQ(menu_item_text(window, IDM_RANK), "Ex\xE9" "cuter");
        EXPECT_FALSE(choose_menu_item(window, IDM_RANK));
        std::vector<int32_t> ranked;
        for (int32_t p = 1; p <= networks; ++p)
            ranked.push_back(marker_of(current_population, p));
        EXPECT_EQ(ranked, order);
        // The live game is as it was, with white's legal moves.
        EXPECT_EQ(position_now(), live);
        EXPECT_EQ(side_to_move, white);
        uint8_t map[board_cells];
        std::copy_n(legal_move_map, board_cells, map);
        find_legal_moves(white);
        EXPECT_TRUE(std::equal(map + 1, map + board_cells, legal_move_map + 1));
        const std::vector<std::string> history = status_history();
        ASSERT_EQ(history.size(), history_before + 1261);
        EXPECT_EQ(history[history_before], sorting(0));
        EXPECT_EQ(history[history_before + 11], sorting(0));
        EXPECT_EQ(history[history_before + 1259], sorting(100));
        EXPECT_EQ(history.back(), "  A vous de jouer ! ");
        EXPECT_EQ(credit_both, 1);
        for (int32_t n = 1; n <= networks; ++n)
            EXPECT_EQ(score_table[n], -10);
        EXPECT_TRUE(choose_menu_item(window, IDM_LEVEL_3));
    });
    // Level 3 now consults the three best, networks 5, 11 and 17, all of type 4: each
    // game credits both of its networks, and colour 2 wins every one of them (3 points).
    add_step([&] {
        for (int32_t s = 1; s <= 64; ++s) {
            if (legal_move_map[s] == 1) {
                click_square(s);
                return;
            }
        }
    });
    add_step([&] {
        for (int32_t n = 1; n <= 3; ++n)
            EXPECT_EQ(score_table[n], 6) << n;
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(file_bytes("meillfl.don"), stored);

    // The next run loads the stored order again.
    add_step([] {
        for (int32_t p = 1; p <= networks; ++p)
            EXPECT_EQ(marker_of(current_population, p), p);
    });
    EXPECT_EQ(run(), 0);
}
