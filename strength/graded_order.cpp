#include "graded_order.h"

#include <algorithm>
#include <cstring>

#include "all_play_all.h"
#include "board.h"
#include "match.h"
#include "random.h"
#include "shape.h"
#include "tables.h"

namespace {

constexpr uint32_t first_draws_seed = 1, second_draws_seed = 2;

void put_network(int32_t slot, const float* weights)
{
    std::memcpy(current_population + network_base(slot) + 1, weights, network_bytes);
}

// Colour 1's points when `a` plays white against `b` from the opening, as a game of
// the thinking tournament plays it, with the random source seeded with `seed`.
int32_t white_points(const float* a, const float* b, uint32_t seed)
{
    put_network(1, a);
    put_network(2, b);
    seed_random(seed);
    reset_board();
    play_match(1, 2);
    return score_match().colour1;
}

// The first of `slots` with the highest score in their tournament.
size_t tournament_winner(const std::vector<size_t>& slots, const std::vector<std::vector<int32_t>>& points)
{
    size_t winner = slots.front();
    int32_t best = -1;
    for (size_t i : slots) {
        int32_t score = 0;
        for (size_t j : slots)
            score += i == j ? 0 : points[i][j];
        if (score > best) {
            best = score;
            winner = i;
        }
    }
    return winner;
}

bool is_menu_level(int32_t level)
{
    return std::find(std::begin(menu_levels), std::end(menu_levels), level) != std::end(menu_levels);
}

} // namespace

int32_t level_pick(int32_t level, const std::vector<uint32_t>& seeds)
{
    int32_t pick = 0;
    for (uint32_t seed : seeds) {
        seed_random(seed);
        play_ordered_pairs(level, false);
        const int32_t winner = best_network();
        if (pick != 0 && winner != pick)
            return 0;
        pick = winner;
    }
    return pick;
}

Ladder graded_order(const std::vector<LadderCandidate>& candidates)
{
    Ladder ladder;
    const size_t count = candidates.size();
    std::vector<std::vector<int32_t>> points(count, std::vector<int32_t>(count, 0));
    std::vector<bool> usable(count, true);
    for (size_t a = 0; a < count; ++a)
        for (size_t b = 0; b < count; ++b) {
            if (a == b)
                continue;
            points[a][b] = white_points(candidates[a].weights, candidates[b].weights, first_draws_seed);
            if (white_points(candidates[a].weights, candidates[b].weights, second_draws_seed) != points[a][b])
                usable[a] = usable[b] = false;
        }
    std::vector<size_t> by_strength; // weakest first
    for (size_t c = 0; c < count; ++c)
        if (usable[c])
            by_strength.push_back(c);
        else
            ++ladder.left_out;
    std::stable_sort(by_strength.begin(), by_strength.end(),
                     [&](size_t a, size_t b) { return candidates[a].strength < candidates[b].strength; });
    if (by_strength.size() < static_cast<size_t>(networks)) {
        ladder.failure = "fewer than 36 candidates play the same games whatever the tie draws";
        return ladder;
    }

    const double weakest = candidates[by_strength.front()].strength;
    const double strongest = candidates[by_strength.back()].strength;
    constexpr auto steps = static_cast<int32_t>(std::size(menu_levels));
    std::vector<bool> used(count, false);
    double last_pick = -1.0;
    for (int32_t level = 1, step = 0; level <= networks; ++level) {
        std::vector<size_t> order;
        for (size_t c : by_strength)
            if (!used[c])
                order.push_back(c);
        auto pick_with = [&](size_t c) {
            std::vector<size_t> trial = ladder.slots;
            trial.push_back(c);
            return tournament_winner(trial, points);
        };
        // Between the menu's levels: the weakest left that keeps the last pick.
        const auto keeps_pick = std::find_if(order.begin(), order.end(),
                                             [&](size_t c) { return ladder.picks.empty() || pick_with(c) == ladder.picks.back(); });
        size_t chosen = keeps_pick != order.end() ? *keeps_pick : order.front();
        if (is_menu_level(level)) {
            const double target = weakest + (strongest - weakest) * step / (steps - 1);
            std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
                return std::abs(candidates[a].strength - target) < std::abs(candidates[b].strength - target);
            });
            auto strength_with = [&](size_t c) { return candidates[pick_with(c)].strength; };
            const auto found =
                std::find_if(order.begin(), order.end(), [&](size_t c) { return strength_with(c) > last_pick; });
            if (found != order.end()) {
                chosen = *found;
            } else { // the strongest pick there is, and the ladder is flat here
                chosen = *std::max_element(order.begin(), order.end(),
                                           [&](size_t a, size_t b) { return strength_with(a) < strength_with(b); });
                ladder.flat_levels.push_back(level);
            }
            ++step;
        }
        used[chosen] = true;
        ladder.slots.push_back(chosen);
        if (is_menu_level(level)) {
            ladder.picks.push_back(tournament_winner(ladder.slots, points));
            last_pick = candidates[ladder.picks.back()].strength;
        }
    }
    return ladder;
}
