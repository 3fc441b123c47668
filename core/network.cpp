#include "network.h"

#include <algorithm>

#include "board.h"
#include "core_kernels.h"
#include "shape.h"
#include "tables.h"

void encode_inputs(uint8_t side)
{
    float* a = activations;
    std::fill(a + inputs + 1, a + neurons + 1, 0.0f);
    const uint8_t* board = current_board;
    for (int32_t s = 1; s <= 64; ++s) {
        const uint8_t cell = board[s];
        a[2 * s - 1] = (cell != empty && cell != side) ? 1.0f : 0.0f; // opponent's piece
        a[2 * s] = cell == side ? 1.0f : 0.0f;                        // own piece
    }
    a[side_input] = side == white ? 0.0f : 1.0f;
}

// Only the inputs at exactly 1.0 send; the sums are formed across the receiving
// units at once by the kernel set in use (core_kernels.h), each unit's additions in
// the order of the sending units.
void evaluate_network(int32_t k) { active_kernels->evaluate_network(k); }
