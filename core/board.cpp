#include "board.h"

#include <algorithm>

#include "core_kernels.h"
#include "tables.h"

void reset_board()
{
    std::fill_n(current_board, 65, empty);
    current_board[28] = white;
    current_board[37] = white;
    current_board[29] = black;
    current_board[36] = black;
}

// Computed on 64-bit masks by the kernel set in use (core_kernels.h).
void find_legal_moves(uint8_t side) { active_kernels->find_legal_moves(side); }

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
