#include "opponents.h"

#include <algorithm>
#include <cstring>

#include "board.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr int32_t wpc_rows[8][8] = {
    {100, -25, 10, 5, 5, 10, -25, 100}, {-25, -25, 1, 1, 1, 1, -25, -25}, {10, 1, 5, 2, 2, 5, 1, 10},
    {5, 1, 2, 1, 1, 2, 1, 5},           {5, 1, 2, 1, 1, 2, 1, 5},         {10, 1, 5, 2, 2, 5, 1, 10},
    {-25, -25, 1, 1, 1, 1, -25, -25},   {100, -25, 10, 5, 5, 10, -25, 100}};

constexpr int32_t wpc_weight(int32_t square) { return wpc_rows[(square - 1) / 8][(square - 1) % 8]; }

constexpr int32_t deepest_search = 4;
constexpr int32_t beyond_every_value = 1 << 24;

// The boards of the search, one per ply below the position searched.
uint8_t search_boards[deepest_search + 1][board_cells];

// The legal squares of `side` on the current board, ascending.
int32_t legal_squares(uint8_t side, int32_t (&squares)[64])
{
    find_legal_moves(side);
    int32_t count = 0;
    for (int32_t s = 1; s <= 64; ++s)
        if (legal_move_map[s] == 1)
            squares[count++] = s;
    return count;
}

int32_t finished_value(uint8_t side)
{
    const PieceCount count = count_pieces();
    const int32_t own = side == white ? count.white : count.black;
    const int32_t theirs = side == white ? count.black : count.white;
    return own > theirs ? finished_game_value : own < theirs ? -finished_game_value : 0;
}

// Plays `square` for `side` on a copy of the current board one ply further down,
// which becomes the current board.
void play_on_next_board(int32_t ply, int32_t square, uint8_t side)
{
    std::memcpy(search_boards[ply + 1], current_board, board_cells);
    current_board = search_boards[ply + 1];
    play_move(square, side);
}

// Fail-soft alpha-beta in negamax form on the current board, which is search_boards[ply].
int32_t negamax(int32_t ply, uint8_t side, int32_t depth, int32_t alpha, int32_t beta)
{
    int32_t squares[64];
    const int32_t count = legal_squares(side, squares);
    if (count == 0) {
        if (!can_move(other_colour(side)))
            return finished_value(side);
        if (depth == 0)
            return wpc_value(side);
        return -negamax(ply, other_colour(side), depth - 1, -beta, -alpha); // the pass is a ply
    }
    if (depth == 0)
        return wpc_value(side);
    int32_t best = -beyond_every_value;
    for (int32_t i = 0; i < count && alpha < beta; ++i) {
        play_on_next_board(ply, squares[i], side);
        const int32_t value = -negamax(ply + 1, other_colour(side), depth - 1, -beta, -alpha);
        current_board = search_boards[ply];
        best = std::max(best, value);
        alpha = std::max(alpha, value);
    }
    return best;
}

int32_t random_move(uint8_t side)
{
    int32_t squares[64];
    const int32_t count = legal_squares(side, squares);
    return count == 0 ? 0 : squares[draw_tool_below(count)];
}

int32_t greedy_move(uint8_t side)
{
    int32_t squares[64], best[64];
    const int32_t count = legal_squares(side, squares);
    uint8_t* const board = current_board;
    int32_t ties = 0, most_turned = -1;
    for (int32_t i = 0; i < count; ++i) {
        const PieceCount before = count_pieces();
        play_on_next_board(0, squares[i], side);
        const PieceCount after = count_pieces();
        current_board = board;
        const int32_t turned = side == white ? after.white - before.white - 1 : after.black - before.black - 1;
        if (turned > most_turned) {
            most_turned = turned;
            ties = 0;
        }
        if (turned == most_turned)
            best[ties++] = squares[i];
    }
    return ties == 0 ? 0 : best[draw_tool_below(ties)];
}

int32_t wpc_move(uint8_t side, int32_t plies)
{
    int32_t best[64];
    const int32_t ties = wpc_best_squares(side, plies, best);
    return ties == 0 ? 0 : best[draw_tool_below(ties)];
}

} // namespace

bool can_move(uint8_t side)
{
    find_legal_moves(side);
    for (int32_t s = 1; s <= 64; ++s)
        if (legal_move_map[s] == 1)
            return true;
    return false;
}

const char* opponent_name(Opponent opponent)
{
    switch (opponent) {
    case Opponent::random: return "random";
    case Opponent::greedy: return "greedy";
    case Opponent::wpc: return "wpc";
    case Opponent::wpc_ab2: return "wpc-ab2";
    case Opponent::wpc_ab4: return "wpc-ab4";
    }
    return "?";
}

bool opponent_from_name(const char* name, Opponent& opponent)
{
    for (Opponent o : all_opponents)
        if (std::strcmp(name, opponent_name(o)) == 0) {
            opponent = o;
            return true;
        }
    return false;
}

int32_t opponent_move(Opponent opponent, uint8_t side)
{
    switch (opponent) {
    case Opponent::random: return random_move(side);
    case Opponent::greedy: return greedy_move(side);
    case Opponent::wpc: return wpc_move(side, 1);
    case Opponent::wpc_ab2: return wpc_move(side, 2);
    case Opponent::wpc_ab4: return wpc_move(side, 4);
    }
    return 0;
}

int32_t wpc_value(uint8_t side)
{
    int32_t value = 0;
    for (int32_t s = 1; s <= 64; ++s) {
        const uint8_t cell = current_board[s];
        if (cell == side)
            value += wpc_weight(s);
        else if (cell != empty)
            value -= wpc_weight(s);
    }
    return value;
}

int32_t wpc_search_value(uint8_t side, int32_t plies)
{
    uint8_t* const board = current_board;
    std::memcpy(search_boards[0], board, board_cells);
    current_board = search_boards[0];
    const int32_t value = negamax(0, side, plies, -beyond_every_value, beyond_every_value);
    current_board = board;
    return value;
}

int32_t wpc_best_squares(uint8_t side, int32_t plies, int32_t (&squares)[64])
{
    int32_t moves[64];
    const int32_t count = legal_squares(side, moves);
    uint8_t* const board = current_board;
    std::memcpy(search_boards[0], board, board_cells);
    current_board = search_boards[0];
    int32_t ties = 0, best = -beyond_every_value;
    for (int32_t i = 0; i < count; ++i) {
        play_on_next_board(0, moves[i], side);
        // One ply: the plain WPC of the position after the move. Deeper: each move is
        // searched with the window (best - 1, infinity), so that a move as good as
        // the best so far gets its exact value and ties are seen.
        const int32_t value = plies == 1 ? wpc_value(side)
                                         : -negamax(1, other_colour(side), plies - 1, -beyond_every_value, 1 - best);
        current_board = search_boards[0];
        if (value > best) {
            best = value;
            ties = 0;
        }
        if (value == best)
            squares[ties++] = moves[i];
    }
    current_board = board;
    return ties;
}
