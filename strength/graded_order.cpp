#include "graded_order.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "all_play_all.h"
#include "board.h"
#include "match.h"
#include "population_slots.h"
#include "random.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr uint32_t draws_seed = 1;
constexpr uint64_t ladder_draws_seed = 36;
constexpr int32_t improvement_trials = 1000000;

// Colour 1's points when `a` plays white against `b` from the opening, as a game of
// the thinking tournament plays it; -1 when the game draws a random number (two legal
// squares tie), so that its outcome could depend on what the game drew before.
int32_t white_points(const float* a, const float* b)
{
    put_network(current_population, 1, a);
    put_network(current_population, 2, b);
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

// Colour 1's points of every ordered pair of candidates (white_points).
Points pair_points(const std::vector<LadderCandidate>& candidates)
{
    const size_t count = candidates.size();
    Points points(count, std::vector<int32_t>(count, 0));
    for (size_t a = 0; a < count; ++a)
        for (size_t b = 0; b < count; ++b)
            if (a != b)
                points[a][b] = white_points(candidates[a].weights, candidates[b].weights);
    return points;
}

std::vector<size_t> weakest_first(const std::vector<LadderCandidate>& candidates)
{
    std::vector<size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return candidates[a].strength < candidates[b].strength; });
    return order;
}

// The tournament winner of `slots` with `c` in the next slot.
size_t pick_with(std::vector<size_t> slots, size_t c, const Points& points)
{
    slots.push_back(c);
    return tournament_winner(slots, points);
}

// Between the menu's levels: the weakest candidate that keeps the last pick, else the
// weakest. `open` holds the candidates that may take the slot, weakest first.
size_t filler(const std::vector<size_t>& open, const std::vector<size_t>& slots, const Points& points)
{
    if (slots.empty())
        return open.front();
    const size_t current_pick = tournament_winner(slots, points);
    const auto keeps_pick =
        std::find_if(open.begin(), open.end(), [&](size_t c) { return pick_with(slots, c, points) == current_pick; });
    return keeps_pick != open.end() ? *keeps_pick : open.front();
}

// At a menu level: the candidate closest to `target` that makes the pick stronger than
// `last_pick` (any, at the first level), else the one that makes it strongest.
size_t menu_choice(std::vector<size_t> open, const std::vector<size_t>& slots, const Points& points,
                   const std::vector<LadderCandidate>& candidates, double target, bool first_level, double last_pick)
{
    std::stable_sort(open.begin(), open.end(), [&](size_t a, size_t b) {
        return std::abs(candidates[a].strength - target) < std::abs(candidates[b].strength - target);
    });
    auto strength_with = [&](size_t c) { return candidates[pick_with(slots, c, points)].strength; };
    const auto found =
        std::find_if(open.begin(), open.end(), [&](size_t c) { return first_level || strength_with(c) > last_pick; });
    if (found != open.end())
        return *found;
    return *std::max_element(open.begin(), open.end(),
                             [&](size_t a, size_t b) { return strength_with(a) < strength_with(b); });
}

// A first order, slot by slot: at a menu level the candidate closest to a target (the
// rest of the way to the strongest, shared evenly among the levels left) that makes the
// pick stronger, between the menu's levels the weakest left that keeps the last pick.
// "" when every slot is filled, otherwise why not.
std::string first_order(const std::vector<LadderCandidate>& candidates, const Points& points,
                        const std::vector<size_t>& by_strength, std::vector<size_t>& slots)
{
    const double strongest = candidates[by_strength.back()].strength;
    std::vector<bool> used(candidates.size(), false);
    double last_pick = candidates[by_strength.front()].strength;
    for (int32_t level = 1, step = 0; level <= networks; ++level) {
        std::vector<size_t> open; // the candidates left that play the slots without a draw
        for (size_t c : by_strength)
            if (!used[c] && std::all_of(slots.begin(), slots.end(), [&](size_t s) { return drawless(c, s, points); }))
                open.push_back(c);
        if (open.empty())
            return "no candidate left for slot " + std::to_string(level) +
                   " plays the ones before it without a tie draw";
        size_t chosen = 0;
        if (is_menu_level(level)) {
            const auto steps_left = static_cast<double>(std::size(menu_levels)) - 1 - step;
            const double target = step == 0 ? last_pick : last_pick + (strongest - last_pick) / (steps_left + 1);
            chosen = menu_choice(open, slots, points, candidates, target, step == 0, last_pick);
            last_pick = candidates[pick_with(slots, chosen, points)].strength;
            ++step;
        } else {
            chosen = filler(open, slots, points);
        }
        used[chosen] = true;
        slots.push_back(chosen);
    }
    return "";
}

// Better orders, one change at a time: two slots exchanged, or a slot given a candidate
// left out; a change is kept when the ladder is no worse. The changes come from a
// seeded draw, so that the same candidates always give the same ladder.
void improve_order(const std::vector<LadderCandidate>& candidates, const Points& points, std::vector<size_t>& slots,
                   std::vector<size_t>& unused)
{
    LadderQuality quality = quality_of(menu_picks(slots, points), candidates);
    seed_tool_random(ladder_draws_seed);
    for (int32_t trial = 0; trial < improvement_trials; ++trial) {
        std::vector<size_t> changed_slots = slots;
        const auto slot = static_cast<size_t>(draw_tool_below(networks));
        const bool exchange = unused.empty() || draw_tool_below(2) == 0;
        const auto other = static_cast<size_t>(draw_tool_below(exchange ? networks : static_cast<int32_t>(unused.size())));
        std::swap(changed_slots[slot], exchange ? changed_slots[other] : unused[other]);
        const LadderQuality changed = quality_of(menu_picks(changed_slots, points), candidates);
        if (changed < quality) {
            if (!exchange)
                std::swap(changed_slots[slot], unused[other]); // the candidate goes back where it was
            continue;
        }
        slots = std::move(changed_slots);
        quality = changed;
    }
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
    if (candidates.size() < static_cast<size_t>(networks)) {
        ladder.failure = "only " + std::to_string(candidates.size()) + " networks to choose from; a ladder needs 36";
        return ladder;
    }
    const Points points = pair_points(candidates);
    const std::vector<size_t> by_strength = weakest_first(candidates);
    ladder.failure = first_order(candidates, points, by_strength, ladder.slots);
    if (!ladder.failure.empty())
        return ladder;
    std::vector<size_t> unused;
    for (size_t c : by_strength)
        if (std::find(ladder.slots.begin(), ladder.slots.end(), c) == ladder.slots.end())
            unused.push_back(c);
    improve_order(candidates, points, ladder.slots, unused);
    ladder.picks = menu_picks(ladder.slots, points);
    for (size_t m = 1; m < ladder.picks.size(); ++m)
        if (candidates[ladder.picks[m]].strength <= candidates[ladder.picks[m - 1]].strength)
            ladder.flat_levels.push_back(menu_levels[m]);
    return ladder;
}
