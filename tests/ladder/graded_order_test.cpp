// The ladder builder's promises (graded_order.h), on the default hall of fame's networks
// and two that draw a random number in every game.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board.h"
#include "graded_order.h"
#include "image_file.h"
#include "match.h"
#include "players.h"
#include "population_slots.h"
#include "protocol_game.h"
#include "random.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

struct Pool {
    std::vector<float> hall_of_fame = std::vector<float>(population_floats);
    std::vector<float> zeros = std::vector<float>(connections, 0.0f);
    std::vector<LadderCandidate> candidates;
};

// A network's share of wins against random moves and the WPC heuristic, as the default's
// recipe measures its candidates (the strength tool's games, seed 201).
double measured_strength(int32_t k)
{
    constexpr int32_t games = 500;
    int32_t wins = 0;
    for (Opponent opponent : {Opponent::random, Opponent::wpc})
        for (int32_t game = 0; game < games; ++game) {
            const Player player{Player::Kind::network, k};
            seed_game(201, player, opponent, game);
            wins += play_protocol_game(player, opponent, game % 2 == 0 ? white : black, {0.1, 0}) == Outcome::win;
        }
    return wins / (2.0 * games);
}

// The default's 36 networks, measured, and two networks of zeros, the strongest of all on
// paper, whose outputs always tie.
const Pool& pool()
{
    static const Pool built = [] {
        Pool p;
        allocate_core_tables();
        EXPECT_EQ(read_image(ELVARIN_DEFAULT_HALL_OF_FAME, p.hall_of_fame.data(), Access::read_only).status,
                  FileStatus::done);
        std::copy(p.hall_of_fame.begin(), p.hall_of_fame.end(), current_population);
        for (int32_t k = 1; k <= networks; ++k)
            p.candidates.push_back({weights_in(p.hall_of_fame.data(), k), measured_strength(k)});
        for (int32_t z = 0; z < 2; ++z)
            p.candidates.push_back({p.zeros.data(), 0.99});
        return p;
    }();
    return built;
}

// The ladder's networks in the current population, slot by slot.
void place(const Ladder& ladder)
{
    for (size_t s = 0; s < ladder.slots.size(); ++s)
        put_network(current_population, static_cast<int32_t>(s + 1), pool().candidates[ladder.slots[s]].weights);
}

} // namespace

TEST(GradedOrder, EachMenuLevelPicksAStrongerNetworkOrSaysItCannot)
{
    const Ladder ladder = graded_order(pool().candidates);
    ASSERT_EQ(ladder.failure, "");
    ASSERT_EQ(ladder.slots.size(), static_cast<size_t>(networks));
    ASSERT_EQ(ladder.picks.size(), std::size(menu_levels));
    place(ladder);

    // No two of the ladder draw a random number in their games against each other (the
    // networks of zeros, which always do, are left out).
    for (int32_t a = 1; a <= networks; ++a)
        for (int32_t b = 1; b <= networks; ++b) {
            if (a == b)
                continue;
            seed_random(7);
            reset_board();
            play_match(a, b);
            EXPECT_EQ(random_state_now(), 7u) << "networks " << a << " and " << b << " draw";
        }
    // The game's own tournament, whatever it drew before, picks the ladder's pick at each
    // menu level, stronger than at the level below unless the ladder names the level.
    double below = -1.0;
    for (size_t m = 0; m < std::size(menu_levels); ++m) {
        const int32_t level = menu_levels[m];
        const int32_t pick = level_pick(level, {1, 2, 99});
        ASSERT_NE(pick, 0) << "level " << level;
        EXPECT_EQ(ladder.slots[static_cast<size_t>(pick - 1)], ladder.picks[m]) << "level " << level;
        const double strength = pool().candidates[ladder.picks[m]].strength;
        const bool named_flat =
            std::find(ladder.flat_levels.begin(), ladder.flat_levels.end(), level) != ladder.flat_levels.end();
        EXPECT_EQ(strength <= below, named_flat) << "level " << level;
        below = strength;
    }
    // Here the search leaves at most one level flat (its first order alone leaves three).
    EXPECT_LE(ladder.flat_levels.size(), 1u);
}

TEST(GradedOrder, TheSameCandidatesGiveTheSameOrderWhateverCameBefore)
{
    const Ladder first = graded_order(pool().candidates);
    seed_tool_random(12345);
    seed_random(12345);
    std::fill_n(current_population, population_floats, 0.5f);
    const Ladder again = graded_order(pool().candidates);
    EXPECT_EQ(again.slots, first.slots);
    EXPECT_EQ(again.picks, first.picks);
}

TEST(GradedOrder, TooFewNetworksAreRefused)
{
    const std::vector<LadderCandidate> all = pool().candidates;
    for (size_t count : {size_t{0}, size_t{1}, size_t{35}}) {
        const Ladder ladder = graded_order(std::vector<LadderCandidate>(all.begin(), all.begin() + count));
        EXPECT_NE(ladder.failure.find("a ladder needs 36"), std::string::npos) << ladder.failure;
        EXPECT_TRUE(ladder.slots.empty());
    }
}
