#include "board.h"

#include <algorithm>

#include "core_kernels.h"
#include "tables.h"

namespace {

constexpr bool on_board(int32_t x, int32_t y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

} // namespace

void reset_board()
{
    std::fill_n(current_board, 65, empty);
    current_board[28] = white;
    current_board[37] = white;
    current_board[29] = black;
    current_board[36] = black;
}

// 1 when a piece of `side` on (x, y) would capture along (dx, dy): at least one
// opponent piece next to it, and the run closed by a piece of `side`.
int32_t line_test(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side)
{
    const uint8_t* board = current_board;
    int32_t cx = x + dx;
    int32_t cy = y + dy;
    if (!on_board(cx, cy))
        return 0;
    uint8_t cell = board[square_of(cx, cy)];
    if (cell == empty || cell == side)
        return 0;
    do {
        cx += dx;
        cy += dy;
        if (!on_board(cx, cy))
            return 0;
        cell = board[square_of(cx, cy)];
    } while (cell != empty && cell != side);
    return cell == side ? 1 : 0;
}

// Computed on 64-bit masks by the kernel set in use (core_kernels.h).
void find_legal_moves(uint8_t side) { active_kernels->find_legal_moves(side); }

void flip_line(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side)
{
    if (!line_test(dx, dy, x, y, side))
        return;
    uint8_t* board = current_board;
    for (int32_t cx = x + dx, cy = y + dy; board[square_of(cx, cy)] != side; cx += dx, cy += dy)
        board[square_of(cx, cy)] = side;
}

// Only the played cell and the turned pieces are written.
void play_move(int32_t square, uint8_t side) { active_kernels->play_move(square, side); }

PieceCount count_pieces()
{
    PieceCount count{0, 0};
    for (int32_t s = 1; s <= 64; ++s) {
        if (current_board[s] == white)
            ++count.white;
        else if (current_board[s] == black)
            ++count.black;
    }
    return count;
}
