// The core's tournaments among networks: every ordered pair with its credit flag, the
// computer's choice with the live position set aside, and the ranking order.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <span>
#include <vector>

#include "all_play_all.h"
#include "board.h"
#include "random.h"
#include "ranking_order.h"
#include "support.h"
#include "tables.h"
#include "tournament_choice.h"

namespace {

// The core's tables, the networks of uniform random weights in [-1, 1) and a weight
// that tells them apart.
struct TournamentTables : CoreTables {
    TournamentTables()
    {
        std::fill(scores.begin(), scores.end(), int16_t{99});
        std::mt19937 random(5);
        std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
        for (int32_t k = 1; k <= networks; ++k) {
            for (int32_t w = 1; w <= connections; ++w)
                weight(k, w) = uniform(random);
            weight(k, hidden2_block) = static_cast<float>(k);
        }
    }
};

int32_t sum(std::span<const int16_t> scores) { return std::accumulate(scores.begin() + 1, scores.end(), 0); }

} // namespace

TEST(AllPlayAll, EveryOrderedPairOnceAndTheCreditFlag)
{
    TournamentTables t;
    std::vector<int32_t> counts;
    seed_random(11);
    play_ordered_pairs(3, false, [&](int32_t games) { counts.push_back(games); });
    EXPECT_EQ(counts, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    const std::vector<int16_t> colour_1_only(t.scores.begin(), t.scores.end());
    EXPECT_EQ(colour_1_only[0], 0); // the whole table is cleared first
    for (int32_t n = 4; n <= networks; ++n)
        EXPECT_EQ(colour_1_only[static_cast<size_t>(n)], 0) << n;

    // The same games crediting both sides: each network gains its colour-2 points, and
    // every game gives 2 to 4 points in all (3 or 4 to a winner, 1 to each on a draw).
    seed_random(11);
    play_ordered_pairs(3, true);
    for (int32_t n = 1; n <= 3; ++n)
        EXPECT_GE(t.scores[static_cast<size_t>(n)], colour_1_only[static_cast<size_t>(n)]) << n;
    EXPECT_GE(sum(t.scores), 2 * 6);
    EXPECT_LE(sum(t.scores), 4 * 6);
    EXPECT_GT(sum(t.scores), sum(colour_1_only));

    // One network plays no game.
    counts.clear();
    play_ordered_pairs(1, false, [&](int32_t games) { counts.push_back(games); });
    EXPECT_TRUE(counts.empty());
    EXPECT_EQ(sum(t.scores), 0);
}

TEST(TournamentChoice, TheLivePositionWaitsOnTheSpareBoard)
{
    TournamentTables t;
    t.set_board("........"
                "........"
                "....W..."
                "...WW..."
                "...BW..."
                "........"
                "........"
                "........");
    const std::vector<uint8_t> live(t.board.begin(), t.board.end());
    bool played_elsewhere = false;
    seed_random(3);
    const int32_t square = tournament_choice(black, [&] {
        played_elsewhere = current_board == t.spare.data();
        play_ordered_pairs(4, false);
    });
    EXPECT_TRUE(played_elsewhere);
    EXPECT_EQ(current_board, t.board.data());
    EXPECT_EQ(spare_board, t.spare.data());
    EXPECT_TRUE(std::ranges::equal(t.board, live)); // chosen, not played
    find_legal_moves(black);
    EXPECT_EQ(legal_move_map[square], 1) << square;
}

TEST(RankingOrder, BestFirstTiesByNumber)
{
    TournamentTables t;
    for (int32_t n = 1; n <= networks; ++n)
        t.scores[static_cast<size_t>(n)] = static_cast<int16_t>(n % 5);
    std::vector<int32_t> expected(networks);
    std::iota(expected.begin(), expected.end(), 1);
    std::stable_sort(expected.begin(), expected.end(), [](int32_t a, int32_t b) { return a % 5 > b % 5; });
    t.population[0] = 7.0f;
    t.next[0] = 8.0f;
    order_by_scores();
    EXPECT_EQ(current_population, t.next.data());
    EXPECT_EQ(next_population, t.population.data());
    std::vector<int32_t> ranked;
    for (int32_t p = 1; p <= networks; ++p)
        ranked.push_back(static_cast<int32_t>(current_population[network_base(p) + hidden2_block]));
    EXPECT_EQ(ranked, expected);
    EXPECT_EQ(t.next[0], 8.0f); // the header element is not written
    for (int32_t n = 1; n <= networks; ++n)
        EXPECT_EQ(t.scores[static_cast<size_t>(n)], -10) << n;
}

// A program run again in the same process (as the game's tests run the game) starts on
// a whole, zeroed set, also after the game released its current population on closing.
TEST(CoreTables, EveryStartUpGetsAWholeZeroedSet)
{
    TournamentTables t; // scores of 99, networks of random weights
    reset_board();
    swap_boards();
    swap_populations();
    release_current_population();
    EXPECT_EQ(current_population, nullptr);
    allocate_core_tables();
    for (const float* population : {current_population, next_population}) {
        ASSERT_NE(population, nullptr);
        EXPECT_TRUE(std::all_of(population, population + population_floats, [](float w) { return w == 0.0f; }));
    }
    EXPECT_NE(current_population, next_population);
    EXPECT_EQ(current_board, t.board.data()); // the boards take their first roles again
    EXPECT_EQ(spare_board, t.spare.data());
    EXPECT_TRUE(std::all_of(score_table, score_table + networks_bound, [](int16_t s) { return s == 0; }));
    EXPECT_TRUE(std::all_of(spare_board, spare_board + board_cells, [](uint8_t c) { return c == 0; }));
}
