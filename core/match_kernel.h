// The move choice and the whole network match on masks, and the public operations
// of one kernel set built on them.
//
// Included only by the kernel sources (see board_masks.h).
#pragma once
#include <cstdint>

#include "board.h"
#include "board_masks.h"
#include "core_kernels.h"
#include "forward_pass_kernel.h"
#include "move_choice_kernel.h"
#include "shape.h"
#include "tables.h"

namespace {

// The board inputs 1..128 of the activation array as the encoding of `sides` writes them.
inline void write_board_inputs(float* a, Sides sides)
{
    for (int32_t s = 1; s <= 64; ++s) {
        a[2 * s - 1] = static_cast<float>((sides.opp >> (s - 1)) & 1);
        a[2 * s] = static_cast<float>((sides.own >> (s - 1)) & 1);
    }
}

void find_legal_moves_kernel(uint8_t side)
{
    const Sides sides = sides_on_board(side);
    write_mask_cells(legal_move_map, legal_moves(sides.own, sides.opp));
}

void play_move_kernel(int32_t square, uint8_t side)
{
    const Sides sides = sides_on_board(side);
    const Mask placed = Mask{1} << (square - 1);
    write_mask_value(current_board, placed | turned_pieces(placed, sides.own, sides.opp), side);
}

void evaluate_network_kernel(int32_t k)
{
    float* a = activations;
    forward_pass(network_weights(k), inputs_at_one(a), a + units_element);
}

int32_t choose_move_kernel(uint8_t side)
{
    const Sides sides = sides_on_board(side);
    const Mask legal = legal_moves(sides.own, sides.opp);
    legal_move_map[0] = 0;
    write_mask_cells(legal_move_map, legal);
    // The same choice as inside a match, so that the tests of this one cover both.
    const float* square_outputs = activations + units_element + first_output;
    return choose_among(legal, load_outputs(square_outputs), square_outputs);
}

// One half-move inside a match, for the side whose pieces are `own` (every other piece
// is its opponent's; Colour2 for colour 2), played by the network of `weights` on the
// masks: the side's view, its legal squares and the square played, 0 for a pass.
struct HalfMove {
    Sides view;
    Mask legal;
    int32_t square;
};

template <bool Colour2>
inline HalfMove half_move(Mask& own, Mask& rival, Mask& others, const float* weights)
{
    const Sides view{own, rival | others};
    const Mask legal = legal_moves(view.own, view.opp);
    const int32_t square = network_choice(weights, view.own, view.opp, Colour2, legal);
    if (square != 0) {
        const Mask placed = Mask{1} << (square - 1);
        const Mask turned = turned_pieces(placed, view.own, view.opp);
        own |= placed | turned;
        rival &= ~turned;
        others &= ~turned;
    }
    return {view, legal, square};
}

// The match with the position kept in masks from start to end. Only the final state
// reaches the tables: the board, colour 2's last legal-move map, and the activation
// array of colour 2's last pass, just as the half-moves one by one leave them.
void play_match_kernel(int32_t a, int32_t b)
{
    Mask whites = cells_equal(current_board, white);
    Mask blacks = cells_equal(current_board, black);
    Mask others = ~cells_equal(current_board, empty) & ~whites & ~blacks; // opponents of both sides
    const float* weights_a = network_weights(a);
    const float* weights_b = network_weights(b);

    HalfMove last_black{};
    int32_t moves = 0;
    for (;;) {
        const HalfMove white_move = half_move<false>(whites, blacks, others, weights_a);
        last_black = half_move<true>(blacks, whites, others, weights_b);
        moves += (white_move.square != 0) + (last_black.square != 0);
        if ((white_move.square == 0 && last_black.square == 0) || moves == 60)
            break;
    }

    write_mask_value(current_board, whites, white);
    write_mask_value(current_board, blacks, black);
    legal_move_map[0] = 0;
    write_mask_cells(legal_move_map, last_black.legal);
    write_board_inputs(activations, last_black.view);
    activations[side_input_element] = 1.0f;
}

constexpr CoreKernels kernels_of_this_set{find_legal_moves_kernel, play_move_kernel, evaluate_network_kernel,
                                          choose_move_kernel, play_match_kernel};

} // namespace
