// The measured game and the reference opponents on masks, as one kernel set: the
// position is two 64-bit masks from the first move to the last, and the networks move
// through the core's own pass and choice on masks (move_choice_kernel.h).
//
// Included only by the kernel sources of the strength tools, each compiled for its own
// instruction set like the core's (see core/board_masks.h).
#pragma once
#include <algorithm>
#include <cstdint>

#include "board.h"
#include "board_masks.h"
#include "move_choice_kernel.h"
#include "players.h"
#include "protocol_kernels.h"
#include "tables.h"
#include "tool_random.h"

namespace {

// The squares of the WPC table (opponents.h) that carry `weight`.
constexpr Mask squares_weighing(int32_t weight)
{
    Mask m = 0;
    for (int32_t s = 1; s <= 64; ++s)
        m |= static_cast<Mask>(wpc_weight(s) == weight) << (s - 1);
    return m;
}

struct WeightClass {
    int32_t weight;
    Mask squares;
};
constexpr WeightClass wpc_classes[] = {{100, squares_weighing(100)}, {-25, squares_weighing(-25)},
                                       {10, squares_weighing(10)},   {5, squares_weighing(5)},
                                       {2, squares_weighing(2)},     {1, squares_weighing(1)}};
static_assert((squares_weighing(100) | squares_weighing(-25) | squares_weighing(10) | squares_weighing(5) |
               squares_weighing(2) | squares_weighing(1)) == ~Mask{0},
              "every square weighs one of the six values");

constexpr int32_t beyond_every_value = 1 << 24;
constexpr int32_t deepest_search = 4;

inline int32_t wpc_of(Mask own, Mask opp)
{
    int32_t value = 0;
    for (const WeightClass& c : wpc_classes)
        value += c.weight * (count_bits(own & c.squares) - count_bits(opp & c.squares));
    return value;
}

inline int32_t finished_of(Mask own, Mask opp)
{
    const int32_t mine = count_bits(own), theirs = count_bits(opp);
    return mine > theirs ? finished_game_value : mine < theirs ? -finished_game_value : 0;
}

// Fail-soft alpha-beta in negamax form, the moves in ascending order of square.
int32_t negamax(Mask own, Mask opp, int32_t depth, int32_t alpha, int32_t beta)
{
    const Mask legal = legal_moves(own, opp);
    if (legal == 0) {
        if (legal_moves(opp, own) == 0)
            return finished_of(own, opp);
        if (depth == 0)
            return wpc_of(own, opp);
        return -negamax(opp, own, depth - 1, -beta, -alpha); // the pass is a ply
    }
    if (depth == 0)
        return wpc_of(own, opp);
    int32_t best = -beyond_every_value;
    for (Mask m = legal; m && alpha < beta; m &= m - 1) {
        const Mask placed = m & (~m + 1);
        const Mask turned = turned_pieces(placed, own, opp);
        const int32_t value = -negamax(opp & ~turned, own | placed | turned, depth - 1, -beta, -alpha);
        best = std::max(best, value);
        alpha = std::max(alpha, value);
    }
    return best;
}

// The legal squares that share the best value, ascending, and their count: one ply
// values the position after the move, deeper plies search each move with the window
// (best - 1, infinity), so that a move as good as the best so far gets its exact value.
inline int32_t best_squares_of(Mask own, Mask opp, int32_t plies, int32_t (&squares)[64])
{
    int32_t ties = 0, best = -beyond_every_value;
    for (Mask m = legal_moves(own, opp); m; m &= m - 1) {
        const Mask placed = m & (~m + 1);
        const Mask turned = turned_pieces(placed, own, opp);
        const Mask after_own = own | placed | turned, after_opp = opp & ~turned;
        const int32_t value = plies == 1 ? wpc_of(after_own, after_opp)
                                         : -negamax(after_opp, after_own, plies - 1, -beyond_every_value, 1 - best);
        if (value > best) {
            best = value;
            ties = 0;
        }
        if (value == best)
            squares[ties++] = lowest_bit(placed) + 1;
    }
    return ties;
}

inline int32_t random_square(Mask legal) { return kth_square(legal, draw_tool_below(count_bits(legal)) + 1); }

inline int32_t greedy_square(Mask own, Mask opp, Mask legal)
{
    int32_t best[64];
    int32_t ties = 0, most_turned = -1;
    for (Mask m = legal; m; m &= m - 1) {
        const Mask placed = m & (~m + 1);
        const int32_t turned = count_bits(turned_pieces(placed, own, opp));
        if (turned > most_turned) {
            most_turned = turned;
            ties = 0;
        }
        if (turned == most_turned)
            best[ties++] = lowest_bit(placed) + 1;
    }
    return best[draw_tool_below(ties)];
}

inline int32_t wpc_square(Mask own, Mask opp, int32_t plies)
{
    int32_t best[64];
    const int32_t ties = best_squares_of(own, opp, plies, best);
    return best[draw_tool_below(ties)];
}

// The position on the current board, as the games of the byte board leave it.
inline void put_on_board(Mask whites, Mask blacks)
{
    for (int32_t s = 1; s <= 64; ++s)
        current_board[s] = empty;
    write_mask_value(current_board, whites, white);
    write_mask_value(current_board, blacks, black);
}

// The mover's square for `side`, which has the `legal` squares (at least one).
inline int32_t mover_square(const Mover& mover, uint8_t side, Mask whites, Mask blacks, Mask legal)
{
    const Mask own = side == white ? whites : blacks;
    const Mask opp = side == white ? blacks : whites;
    switch (mover.kind) {
    case Mover::Kind::network: return network_choice(network_weights(mover.number), own, opp, side == black, legal);
    case Mover::Kind::level:
        return network_choice(network_weights(level_winner(mover.number)), own, opp, side == black, legal);
    case Mover::Kind::random: return random_square(legal);
    case Mover::Kind::greedy: return greedy_square(own, opp, legal);
    case Mover::Kind::wpc: return wpc_square(own, opp, 1);
    case Mover::Kind::wpc_ab2: return wpc_square(own, opp, 2);
    case Mover::Kind::wpc_ab4: return wpc_square(own, opp, deepest_search);
    }
    return 0;
}

Outcome play_game_kernel(const Mover& player, const Mover& rival, uint8_t player_colour, const Protocol& protocol)
{
    reset_board();
    Mask whites = cells_equal(current_board, white);
    Mask blacks = cells_equal(current_board, black);
    uint8_t side = white;
    int32_t moves_played = 0;
    for (int32_t passes = 0; passes < 2; side = other_colour(side)) {
        Mask& own = side == white ? whites : blacks;
        Mask& opp = side == white ? blacks : whites;
        const Mask legal = legal_moves(own, opp);
        if (legal == 0) {
            ++passes;
            continue;
        }
        const int32_t square = moves_played < protocol.opening_moves || draw_tool_unit() < protocol.epsilon
                                   ? random_square(legal)
                                   : mover_square(side == player_colour ? player : rival, side, whites, blacks, legal);
        const Mask placed = Mask{1} << (square - 1);
        const Mask turned = turned_pieces(placed, own, opp);
        own |= placed | turned;
        opp &= ~turned;
        ++moves_played;
        passes = 0;
    }
    put_on_board(whites, blacks);
    const int32_t own = count_bits(player_colour == white ? whites : blacks);
    const int32_t theirs = count_bits(player_colour == white ? blacks : whites);
    return own > theirs ? Outcome::win : own == theirs ? Outcome::draw : Outcome::loss;
}

int32_t best_squares_kernel(uint8_t side, int32_t plies, int32_t (&squares)[64])
{
    const Sides sides = sides_on_board(side);
    return best_squares_of(sides.own, sides.opp, plies, squares);
}

int32_t search_value_kernel(uint8_t side, int32_t plies)
{
    const Sides sides = sides_on_board(side);
    return negamax(sides.own, sides.opp, plies, -beyond_every_value, beyond_every_value);
}

int32_t wpc_value_kernel(uint8_t side)
{
    const Sides sides = sides_on_board(side);
    return wpc_of(sides.own, sides.opp);
}

constexpr ProtocolKernels protocol_kernels_of_this_set{play_game_kernel, best_squares_kernel, search_value_kernel,
                                                       wpc_value_kernel};

} // namespace
