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
#include "search_kernel.h"
#include "tables.h"
#include "tool_random.h"

namespace {

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

template <class Evaluation>
inline int32_t searcher_square(const Evaluation& evaluation, Mask own, Mask opp, int32_t plies)
{
    int32_t best[64];
    const int32_t ties = best_squares_of(evaluation, own, opp, plies, best);
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
    case Mover::Kind::squares: return searcher_square(SquareEvaluation{mover.table}, own, opp, mover.number);
    case Mover::Kind::mobility: return searcher_square(MobilityEvaluation{mover.table}, own, opp, mover.number);
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

// The evaluation of a mover that searches, for `use` to call with it.
template <class Use>
inline int32_t with_evaluation(const Mover& mover, Use use)
{
    if (mover.kind == Mover::Kind::mobility)
        return use(MobilityEvaluation{mover.table});
    return use(SquareEvaluation{mover.table});
}

int32_t best_squares_kernel(const Mover& mover, uint8_t side, int32_t (&squares)[64])
{
    const Sides sides = sides_on_board(side);
    return with_evaluation(mover, [&](const auto& evaluation) {
        return best_squares_of(evaluation, sides.own, sides.opp, mover.number, squares);
    });
}

int32_t search_value_kernel(const Mover& mover, uint8_t side)
{
    const Sides sides = sides_on_board(side);
    return with_evaluation(mover, [&](const auto& evaluation) {
        return search(evaluation, sides.own, sides.opp, evaluation.carried(sides.own, sides.opp), mover.number,
                      -beyond_every_value, beyond_every_value);
    });
}

int32_t evaluation_value_kernel(const Mover& mover, uint8_t side)
{
    const Sides sides = sides_on_board(side);
    return with_evaluation(mover, [&](const auto& evaluation) { return evaluation.value(sides.own, sides.opp); });
}

constexpr ProtocolKernels protocol_kernels_of_this_set{play_game_kernel, best_squares_kernel, search_value_kernel,
                                                       evaluation_value_kernel};

} // namespace
