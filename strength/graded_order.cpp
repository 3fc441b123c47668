#include "graded_order.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "all_play_all.h"
#include "board.h"
#include "match.h"
#include "random.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr uint32_t draws_seed = 1;
constexpr uint64_t ladder_draws_seed = 36;
constexpr int32_t improvement_trials = 1000000;

void put_network(int32_t slot, const float* weights)
{
    std::memcpy(current_population + network_base(slot) + 1, weights, network_bytes);
}

// Colour 1's points when `a` plays white against `b` from the opening, as a game of
// the thinking tournament plays it; -1 when the game draws a random number (two legal
// squares tie), so that its outcome could depend on what the game drew before.
int32_t white_points(const float* a, const float* b)
{
    put_network(1, a);
    put_network(2, b);
    seed_random(draws_seed);
    reset_board();
    play_match(1, 2);
    return random_state_now() == draws_seed ? score_match().colour1 : -1;
}

using Points = std::vector<std::vector<int32_t>>;

// The first of `slots` with the highest score in their tournament.
size_t tournament_winner(const std::vector<size_t>& slots, const Points& points)
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

// Whether a and b play each other, both ways, without a tie draw.
bool drawless(size_t a, size_t b, const Points& points) { return points[a][b] >= 0 && points[b][a] >= 0; }

// The pick of every menu level of the 36 slots (the scores grow slot by slot); none
// when two of the networks draw in their games.
std::vector<size_t> menu_picks(const std::vector<size_t>& slots, const Points& points)
{
    std::vector<size_t> picks;
    int32_t scores[networks] = {};
    for (size_t level = 0; level < slots.size(); ++level) {
        for (size_t i = 0; i < level; ++i) {
            if (!drawless(slots[i], slots[level], points))
                return {};
            scores[i] += points[slots[i]][slots[level]];
            scores[level] += points[slots[level]][slots[i]];
        }
        if (std::find(std::begin(menu_levels), std::end(menu_levels), level + 1) == std::end(menu_levels))
            continue;
        size_t winner = 0;
        for (size_t i = 1; i <= level; ++i)
            if (scores[i] > scores[winner])
                winner = i;
        picks.push_back(slots[winner]);
    }
    return picks;
}

// How good a ladder is, compared in this order: fewer levels no stronger than the one
// below; a wider smallest step between two levels, in whole half points; the product
// of the steps, which grows with the whole climb and is largest when they are even.
struct LadderQuality {
    int32_t flat = 0;
    int32_t smallest_step = 0;  // in half points
    double steps_product = 0;   // its logarithm
    bool operator<(const LadderQuality& o) const
    {
        if (flat != o.flat)
            return flat > o.flat;
        if (smallest_step != o.smallest_step)
            return smallest_step < o.smallest_step;
        return steps_product < o.steps_product;
    }
};

LadderQuality quality_of(const std::vector<size_t>& picks, const std::vector<LadderCandidate>& candidates)
{
    if (picks.empty())
        return {networks, 0, 0.0}; // no ladder: its games draw
    LadderQuality q{0, 200, 0.0};
    for (size_t m = 1; m < picks.size(); ++m) {
        const double step = candidates[picks[m]].strength - candidates[picks[m - 1]].strength;
        q.flat += step <= 0;
        q.smallest_step = std::min(q.smallest_step, static_cast<int32_t>(std::floor(step * 200)));
        q.steps_product += step > 0 ? std::log(step) : 0.0;
    }
    return q;
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
    Points points(count, std::vector<int32_t>(count, 0));
    for (size_t a = 0; a < count; ++a)
        for (size_t b = 0; b < count; ++b)
            if (a != b)
                points[a][b] = white_points(candidates[a].weights, candidates[b].weights);
    std::vector<size_t> by_strength(count); // weakest first
    std::iota(by_strength.begin(), by_strength.end(), 0);
    std::stable_sort(by_strength.begin(), by_strength.end(),
                     [&](size_t a, size_t b) { return candidates[a].strength < candidates[b].strength; });

    // A first order, slot by slot: at a menu level the candidate closest to a target
    // (the rest of the way to the strongest, shared evenly among the levels left) that
    // makes the pick stronger, else the one that makes it strongest; between the menu's
    // levels the weakest left that keeps the last pick.
    const double strongest = candidates[by_strength.back()].strength;
    std::vector<bool> used(count, false);
    double last_pick = candidates[by_strength.front()].strength;
    for (int32_t level = 1, step = 0; level <= networks; ++level) {
        std::vector<size_t> order; // the candidates left that play the slots without a draw
        for (size_t c : by_strength)
            if (!used[c] && std::all_of(ladder.slots.begin(), ladder.slots.end(),
                                        [&](size_t s) { return drawless(c, s, points); }))
                order.push_back(c);
        if (order.empty()) {
            ladder.failure = "no candidate left for slot " + std::to_string(level) +
                             " plays the ones before it without a tie draw";
            return ladder;
        }
        auto pick_with = [&](size_t c) {
            std::vector<size_t> trial = ladder.slots;
            trial.push_back(c);
            return tournament_winner(trial, points);
        };
        const bool first_slot = ladder.slots.empty();
        const size_t current_pick = first_slot ? 0 : tournament_winner(ladder.slots, points);
        const auto keeps_pick = std::find_if(order.begin(), order.end(),
                                             [&](size_t c) { return first_slot || pick_with(c) == current_pick; });
        size_t chosen = keeps_pick != order.end() ? *keeps_pick : order.front();
        if (is_menu_level(level)) {
            const auto steps_left = static_cast<double>(std::size(menu_levels)) - 1 - step;
            const double target = step == 0 ? last_pick : last_pick + (strongest - last_pick) / (steps_left + 1);
            std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
                return std::abs(candidates[a].strength - target) < std::abs(candidates[b].strength - target);
            });
            auto strength_with = [&](size_t c) { return candidates[pick_with(c)].strength; };
            const auto found =
                std::find_if(order.begin(), order.end(), [&](size_t c) { return step == 0 || strength_with(c) > last_pick; });
            chosen = found != order.end() ? *found
                                           : *std::max_element(order.begin(), order.end(), [&](size_t a, size_t b) {
                                                 return strength_with(a) < strength_with(b);
                                             });
            last_pick = strength_with(chosen);
            ++step;
        }
        used[chosen] = true;
        ladder.slots.push_back(chosen);
    }

    // Then better orders, one change at a time: two slots exchanged, or a slot given a
    // candidate left out; a change is kept when the ladder is no worse. The changes come
    // from a seeded draw, so that the same candidates always give the same ladder.
    std::vector<size_t> unused;
    for (size_t c : by_strength)
        if (!used[c])
            unused.push_back(c);
    LadderQuality quality = quality_of(menu_picks(ladder.slots, points), candidates);
    seed_tool_random(ladder_draws_seed);
    for (int32_t trial = 0; trial < improvement_trials; ++trial) {
        std::vector<size_t> slots = ladder.slots;
        const auto slot = static_cast<size_t>(draw_tool_below(networks));
        const bool exchange = unused.empty() || draw_tool_below(2) == 0;
        const auto other = static_cast<size_t>(draw_tool_below(exchange ? networks : static_cast<int32_t>(unused.size())));
        std::swap(slots[slot], exchange ? slots[other] : unused[other]);
        const LadderQuality changed = quality_of(menu_picks(slots, points), candidates);
        if (changed < quality) {
            if (!exchange)
                std::swap(slots[slot], unused[other]); // the candidate goes back where it was
            continue;
        }
        ladder.slots = std::move(slots);
        quality = changed;
    }
    ladder.picks = menu_picks(ladder.slots, points);
    for (size_t m = 1; m < ladder.picks.size(); ++m)
        if (candidates[ladder.picks[m]].strength <= candidates[ladder.picks[m - 1]].strength)
            ladder.flat_levels.push_back(menu_levels[m]);
    return ladder;
}
