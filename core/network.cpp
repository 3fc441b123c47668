#include "network.h"

#include <algorithm>

#include "board.h"
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

namespace {

// Adds, for every sending unit that holds exactly 1.0, its row of weights onto the
// receiving sums. The sums are kept in a local block so the compiler may work on
// several receiving units at once; each unit still gets its additions one by one
// in the order of the sending units, so every bit is that of the plain loop.
template <int32_t Senders, int32_t Receivers>
void propagate(const float* sending, const float* weights, float* receiving)
{
    float sum[Receivers];
    std::copy_n(receiving, Receivers, sum);
    for (int32_t i = 0; i < Senders; ++i)
        if (sending[i] == 1.0f) {
            const float* row = weights + Receivers * i;
            for (int32_t j = 0; j < Receivers; ++j)
                sum[j] += row[j];
        }
    std::copy_n(sum, Receivers, receiving);
}

template <int32_t Units>
void threshold(float* units)
{
    for (int32_t j = 0; j < Units; ++j)
        units[j] = units[j] > 0.0f ? 1.0f : 0.0f;
}

} // namespace

void evaluate_network(int32_t k)
{
    float* a = activations;
    // Weight at offset w (1..4260) of network k is element base + w.
    const float* w = current_population + network_base(k) + 1;
    float* hidden1 = a + inputs + 1;
    float* hidden2 = a + hidden1_end + 1;
    float* output = a + hidden2_end + 1;
    propagate<inputs, hidden1_units>(a + 1, w, hidden1);
    threshold<hidden1_units>(hidden1);
    propagate<hidden1_units, hidden2_units>(hidden1, w + hidden2_block, hidden2);
    threshold<hidden2_units>(hidden2);
    propagate<hidden2_units, outputs>(hidden2, w + output_block, output);
}
