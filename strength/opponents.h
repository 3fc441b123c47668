// The reference opponents that the strength tool measures networks against. Their
// random choices come from the tools' own random source; they play in the measured
// game (protocol_kernel.h).
//
#pragma once
#include <cstdint>

enum class Opponent : int32_t {
    random = 1,  // a uniformly random legal move
    greedy,      // the legal move that turns the most pieces, ties drawn at random
    wpc,         // one ply: the move whose resulting position the WPC values highest
    wpc_ab2,     // alpha-beta over 2 plies with the WPC at the leaves
    wpc_ab4,     // the same over 4 plies
};
inline constexpr Opponent all_opponents[] = {Opponent::random, Opponent::greedy, Opponent::wpc,
                                             Opponent::wpc_ab2, Opponent::wpc_ab4};

const char* opponent_name(Opponent opponent);
// False when `name` is none of the names above.
bool opponent_from_name(const char* name, Opponent& opponent);

// The weighted-piece-counter heuristic (WPC) values a position for the side to move
// as the sum of the weights of its pieces minus the sum over the opponent's pieces.
// The weights are held in hundredths, so that sums are exact integers and equal values
// are truly equal; row 1 (the top row) first, columns 1 to 8.
constexpr int32_t wpc_rows[8][8] = {
    {100, -25, 10, 5, 5, 10, -25, 100}, {-25, -25, 1, 1, 1, 1, -25, -25}, {10, 1, 5, 2, 2, 5, 1, 10},
    {5, 1, 2, 1, 1, 2, 1, 5},           {5, 1, 2, 1, 1, 2, 1, 5},         {10, 1, 5, 2, 2, 5, 1, 10},
    {-25, -25, 1, 1, 1, 1, -25, -25},   {100, -25, 10, 5, 5, 10, -25, 100}};
constexpr int32_t wpc_weight(int32_t square) { return wpc_rows[(square - 1) / 8][(square - 1) % 8]; }

// A finished game (neither side can move) is worth this, in hundredths, to the side
// with more pieces, its negative to the other, 0 when the counts are equal.
constexpr int32_t finished_game_value = 100000;

// On the current board, for the tests. The WPC value for `side`, in hundredths:
int32_t wpc_value(uint8_t side);
// The alpha-beta value of the current board for `side` to move, over `plies` plies
// (0 .. 4): a pass is a ply, a finished game is worth +-finished_game_value, and the
// leaves get the WPC value.
int32_t wpc_search_value(uint8_t side, int32_t plies);
// The legal squares of `side` that share the best value, in ascending order, and
// their count (0 when `side` cannot move): with `plies` 1 as the one-ply player sees
// them (the WPC of the position after the move, finished or not), with 2 .. 4 as the
// alpha-beta player of that many plies does.
int32_t wpc_best_squares(uint8_t side, int32_t plies, int32_t (&squares)[64]);
