// The reference opponents' evaluations and searches on masks: the values of squares,
// the mobility evaluation, and fail-soft alpha-beta in negamax form over either.
//
// Included only by the kernel sources of the strength tools (see board_masks.h).
#pragma once
#include <algorithm>
#include <cstdint>

#include "board_masks.h"
#include "opponents.h"
#include "protocol_kernels.h"
#include "square_tables.h"

namespace {

constexpr int32_t beyond_every_value = 1 << 24;
constexpr Mask corners = 0x8100000000000081ull;
constexpr Mask class_masks[square_classes] = {class_squares(0), class_squares(1), class_squares(2), class_squares(3),
                                              class_squares(4), class_squares(5), class_squares(6), class_squares(7),
                                              class_squares(8), class_squares(9)};

inline int32_t finished_of(Mask own, Mask opp)
{
    const int32_t mine = count_bits(own), theirs = count_bits(opp);
    return mine > theirs ? finished_game_value : mine < theirs ? -finished_game_value : 0;
}

// The squares next to those of `m`, and `m`.
inline Mask with_neighbours(Mask m)
{
    const Mask row = m | ((m << 1) & not_column_1) | ((m >> 1) & not_column_8);
    return row | (row << 8) | (row >> 8);
}

// True when the side, which had the legal `moves` and played `placed`, turning
// `turned`, surely has a legal move again, so that the game cannot be finished: a
// move e other than `placed` next to no turned piece is still legal. It was legal
// along some line from e: opponent pieces, then one of the side's. A move only turns
// opponent pieces into the side's, so the line is still all pieces, its first one,
// next to e and not turned, is still the opponent's, and the first of its pieces that
// is not the opponent's is the side's: e still captures along it.
inline bool still_movable(Mask moves, Mask placed, Mask turned)
{
    return (moves & ~placed & ~with_neighbours(turned)) != 0;
}

// A move of the side and the position after it, from the mover's side, with the
// evaluation's guess at its value there, by which the moves are searched best first.
struct Child {
    Mask own, opp;
    int32_t guess;
    int32_t square;
};

// A table of square values: a position is worth the values of the side's pieces minus
// those of the opponent's. The searches carry the value of each position down, and
// work out a move's from it and the pieces the move turns. Where there is no better
// guess, the moves are tried by the table's classes of squares, most valuable first.
struct SquareEvaluation {
    const SquareTable& table;

    int32_t value(Mask own, Mask opp) const
    {
        int32_t sum = 0;
        for (int32_t c = 0; c < square_classes; ++c)
            sum += table.values[c] * (count_bits(own & class_masks[c]) - count_bits(opp & class_masks[c]));
        return sum;
    }

    // The value that the searches carry down from a position.
    int32_t carried(Mask own, Mask opp) const { return value(own, opp); }

    // The value for the mover after it places `placed` and turns `turned`, from its
    // value `before` the move.
    int32_t after(int32_t before, Mask placed, Mask turned) const
    {
        // A move turns few pieces: the first four without a branch to mispredict (when
        // none is left, a square's value times 0), the rest one by one.
        constexpr Mask last_square = Mask{1} << 63;
        int32_t sum = 0;
        for (int32_t i = 0; i < 4; ++i) {
            sum += table.by_square[lowest_bit(turned | last_square)] * static_cast<int32_t>(turned != 0);
            turned &= turned - 1;
        }
        for (; turned; turned &= turned - 1)
            sum += table.by_square[lowest_bit(turned)];
        return before + table.by_square[lowest_bit(placed)] + 2 * sum;
    }

    int32_t guess(int32_t before, Mask placed, Mask turned, Mask, Mask) const { return after(before, placed, turned); }

    // The value of the position after the move for the mover, finished or not.
    int32_t one_ply(int32_t before, Mask placed, Mask turned, Mask, Mask) const { return after(before, placed, turned); }

    // The same as a leaf of the search: the evaluation unless the game is finished
    // (see still_movable).
    int32_t leaf(int32_t before, Mask placed, Mask turned, Mask own, Mask opp, Mask moves_before) const
    {
        if (!still_movable(moves_before, placed, turned) && legal_moves(opp, own) == 0 && legal_moves(own, opp) == 0)
            return finished_of(own, opp);
        return after(before, placed, turned);
    }
};

// Mobility and corners (opponents.h). A position's value is not carried down: the
// moves of both sides are counted afresh. Where there is no better guess, the moves are
// tried by the classes of squares of `table` (the WPC table), most valuable first.
struct MobilityEvaluation {
    const SquareTable& table;

    static int32_t corner_value(Mask own, Mask opp)
    {
        return mobility_corner_value * (count_bits(own & corners) - count_bits(opp & corners));
    }

    int32_t value(Mask own, Mask opp) const
    {
        return corner_value(own, opp) +
               mobility_move_value * (count_bits(legal_moves(own, opp)) - count_bits(legal_moves(opp, own)));
    }

    int32_t carried(Mask, Mask) const { return 0; }
    int32_t after(int32_t, Mask, Mask) const { return 0; }

    // The value without the mover's own moves after the move, which only add to it.
    int32_t guess(int32_t, Mask, Mask, Mask own, Mask opp) const
    {
        return corner_value(own, opp) - mobility_move_value * count_bits(legal_moves(opp, own));
    }

    int32_t one_ply(int32_t, Mask, Mask, Mask own, Mask opp) const { return value(own, opp); }

    int32_t leaf(int32_t, Mask, Mask, Mask own, Mask opp, Mask) const
    {
        const Mask replies = legal_moves(opp, own), moves = legal_moves(own, opp);
        if ((replies | moves) == 0)
            return finished_of(own, opp);
        return corner_value(own, opp) + mobility_move_value * (count_bits(moves) - count_bits(replies));
    }
};

// The moves of the side, with the positions after them and their guesses.
template <class Evaluation>
int32_t children_of(const Evaluation& evaluation, Mask own, Mask opp, int32_t value, Mask moves,
                    Child (&children)[64])
{
    int32_t count = 0;
    for (Mask m = moves; m; m &= m - 1) {
        const Mask placed = m & (~m + 1);
        const Mask turned = turned_pieces(placed, own, opp);
        Child& c = children[count++];
        c.own = own | placed | turned;
        c.opp = opp & ~turned;
        c.guess = evaluation.guess(value, placed, turned, c.own, c.opp);
        c.square = lowest_bit(placed) + 1;
    }
    return count;
}

// Brings the child with the highest guess among children from .. count - 1 to `from`.
inline void bring_forward_best(Child (&children)[64], int32_t from, int32_t count)
{
    int32_t best = from;
    for (int32_t i = from + 1; i < count; ++i)
        if (children[i].guess > children[best].guess)
            best = i;
    const Child chosen = children[best];
    children[best] = children[from];
    children[from] = chosen;
}

template <class Evaluation>
int32_t search(const Evaluation& evaluation, Mask own, Mask opp, int32_t value, int32_t depth, int32_t alpha,
               int32_t beta);

// The last two plies, whose many nodes are not worth sorting: the side's `moves` (at
// least one) tried by the evaluation table's classes of squares, most valuable first.
template <class Evaluation>
int32_t in_square_order(const Evaluation& evaluation, Mask own, Mask opp, int32_t value, Mask moves, int32_t depth,
                        int32_t alpha, int32_t beta)
{
    int32_t best = -beyond_every_value;
    for (const int32_t c : evaluation.table.order)
        for (Mask m = moves & class_masks[c]; m; m &= m - 1) {
            const Mask placed = m & (~m + 1);
            const Mask turned = turned_pieces(placed, own, opp);
            const Mask after_own = own | placed | turned, after_opp = opp & ~turned;
            const int32_t v = depth == 1 ? evaluation.leaf(value, placed, turned, after_own, after_opp, moves)
                                         : -search(evaluation, after_opp, after_own, -evaluation.after(value, placed, turned),
                                                   depth - 1, -beta, -alpha);
            best = std::max(best, v);
            alpha = std::max(alpha, v);
            if (alpha >= beta)
                return best;
        }
    return best;
}

// The value of the position for the side to move over `depth` plies, exact when it lies
// inside (alpha, beta), otherwise a bound on the side of the window where it falls: a
// pass is a ply, a finished game is worth +-finished_game_value, the leaves get the
// evaluation. `value` is the value carried down to the position (Evaluation::carried).
// The order in which the moves are tried changes only how soon a bound is found, never
// an exact value.
template <class Evaluation>
int32_t search(const Evaluation& evaluation, Mask own, Mask opp, int32_t value, int32_t depth, int32_t alpha,
               int32_t beta)
{
    const Mask moves = legal_moves(own, opp);
    if (moves == 0) {
        if (legal_moves(opp, own) == 0)
            return finished_of(own, opp);
        if (depth == 0)
            return evaluation.value(own, opp);
        return -search(evaluation, opp, own, -value, depth - 1, -beta, -alpha); // the pass is a ply
    }
    if (depth == 0)
        return evaluation.value(own, opp);
    if (depth <= 2)
        return in_square_order(evaluation, own, opp, value, moves, depth, alpha, beta);
    Child children[64];
    const int32_t count = children_of(evaluation, own, opp, value, moves, children);
    int32_t best = -beyond_every_value;
    for (int32_t i = 0; i < count && alpha < beta; ++i) {
        bring_forward_best(children, i, count);
        const Child& c = children[i];
        const int32_t v = -search(evaluation, c.opp, c.own, -c.guess, depth - 1, -beta, -alpha);
        best = std::max(best, v);
        alpha = std::max(alpha, v);
    }
    return best;
}

// The legal squares that share the best value after one ply, ascending, and their count.
template <class Evaluation>
int32_t best_squares_after_one_ply(const Evaluation& evaluation, Mask own, Mask opp, int32_t (&squares)[64])
{
    const int32_t value = evaluation.carried(own, opp);
    int32_t ties = 0, best = -beyond_every_value;
    for (Mask m = legal_moves(own, opp); m; m &= m - 1) {
        const Mask placed = m & (~m + 1);
        const Mask turned = turned_pieces(placed, own, opp);
        const int32_t v = evaluation.one_ply(value, placed, turned, own | placed | turned, opp & ~turned);
        if (v > best) {
            best = v;
            ties = 0;
        }
        if (v == best)
            squares[ties++] = lowest_bit(placed) + 1;
    }
    return ties;
}

// The legal squares that share the best value, ascending, and their count: one ply
// values the position after each move, deeper plies search each move with the window
// (-infinity, 1 - best), so that a move as good as the best so far gets its exact
// value and a worse one a bound below the best.
template <class Evaluation>
int32_t best_squares_of(const Evaluation& evaluation, Mask own, Mask opp, int32_t plies, int32_t (&squares)[64])
{
    if (plies == 1)
        return best_squares_after_one_ply(evaluation, own, opp, squares);
    Child children[64];
    const int32_t count = children_of(evaluation, own, opp, evaluation.carried(own, opp), legal_moves(own, opp), children);
    int32_t values[64];
    int32_t best = -beyond_every_value;
    for (int32_t i = 0; i < count; ++i) {
        bring_forward_best(children, i, count);
        const Child& c = children[i];
        values[i] = -search(evaluation, c.opp, c.own, -c.guess, plies - 1, -beyond_every_value, 1 - best);
        best = std::max(best, values[i]);
    }
    int32_t ties = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (values[i] != best)
            continue;
        int32_t at = ties++;
        for (; at > 0 && squares[at - 1] > children[i].square; --at)
            squares[at] = squares[at - 1];
        squares[at] = children[i].square;
    }
    return ties;
}

} // namespace
