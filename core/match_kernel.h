// The move choice and the whole network match on masks, and the public operations
// of one kernel set built on them.
//
// Included only by the kernel sources (see board_masks.h).
#pragma once
#include <cstdint>
#include <limits>

#include "board.h"
#include "board_masks.h"
#include "core_kernels.h"
#include "forward_pass_kernel.h"
#include "random.h"
#include "shape.h"
#include "tables.h"

namespace {

// Evaluated here, so that no shared copy of a library function is compiled with this
// file's instruction set (see board_masks.h).
constexpr float lowest_float = std::numeric_limits<float>::lowest();
constexpr int32_t units_element = inputs + 1;                         // 130: the first hidden-1 unit
constexpr int32_t first_output = hidden1_units + hidden2_units;        // outputs within the units

inline const float* network_weights(int32_t k) { return current_population + connections * (k - 1) + 1; }

// The side's pieces and the opponent's; any occupied cell that is not the side's is
// the opponent's.
struct Sides {
    Mask own, opp;
};

inline Sides sides_on_board(uint8_t side)
{
    const Mask own = cells_equal(current_board, side);
    return {own, ~cells_equal(current_board, empty) & ~own};
}

// The legal square with the highest output (outputs[s - 1] for square s), ties shared
// out by one draw; 0 when there is none. The squares come in ascending order and
// meet the same comparisons as in the plain loop over all squares.
inline int32_t choose_among(Mask legal, const float* outputs_of_squares)
{
    uint8_t ties[64];
    int32_t count = 0;
    float best = lowest_float;
    for (Mask m = legal; m; m &= m - 1) {
        const int32_t bit = lowest_bit(m);
        const float v = outputs_of_squares[bit];
        if (best > v)
            continue;
        if (v != best) {
            best = v;
            count = 0;
        }
        ties[count++] = static_cast<uint8_t>(bit + 1);
    }
    if (count <= 1)
        return count == 0 ? 0 : ties[0];
    const int32_t r = draw_random();
    return ties[((r + 1) * count + (random_range - 1)) / random_range - 1];
}

// The k-th (from 1) lowest square of a mask.
inline int32_t kth_square(Mask m, int32_t k)
{
    for (int32_t i = 1; i < k; ++i)
        m &= m - 1;
    return lowest_bit(m) + 1;
}

// The same choice from the output sums still in registers. Without NaN among the legal
// outputs, the squares that the ascending scan keeps are exactly the legal ones whose
// output equals the largest legal output (or the lowest finite float, if larger); a
// legal NaN makes the scan's outcome depend on its place, so the scan itself decides.
inline int32_t choose_among(Mask legal, const OutputSums& sums, const float* outputs_of_squares)
{
#if defined(ELVARIN_KERNEL_SSE2)
#if defined(ELVARIN_KERNEL_AVX2)
    using Lanes = __m256;
    const __m256i lane_bits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
    auto legal_lanes = [&](int32_t i) {
        const __m256i bits = _mm256_set1_epi32(static_cast<int32_t>((legal >> (8 * i)) & 0xFF));
        return _mm256_castsi256_ps(_mm256_cmpeq_epi32(_mm256_and_si256(bits, lane_bits), lane_bits));
    };
    auto select = [](Lanes on, Lanes a, Lanes b) { return _mm256_blendv_ps(b, a, on); };
    auto unordered = [](Lanes v) { return _mm256_cmp_ps(v, v, _CMP_UNORD_Q); };
    auto either = [](Lanes a, Lanes b) { return _mm256_or_ps(a, b); };
    auto any_lane = [](Lanes v) { return _mm256_movemask_ps(v) != 0; };
    auto equal = [](Lanes a, Lanes b) { return static_cast<uint32_t>(_mm256_movemask_ps(_mm256_cmp_ps(a, b, _CMP_EQ_OQ))); };
    auto larger = [](Lanes a, Lanes b) { return _mm256_max_ps(a, b); };
    auto all = [](float x) { return _mm256_set1_ps(x); };
    auto largest_lane = [](Lanes v) {
        const __m128 half = _mm_max_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
        const __m128 pair = _mm_max_ps(half, _mm_movehl_ps(half, half));
        return _mm_cvtss_f32(_mm_max_ss(pair, _mm_shuffle_ps(pair, pair, 1)));
    };
#else
    using Lanes = __m128;
    const __m128i lane_bits = _mm_setr_epi32(1, 2, 4, 8);
    auto legal_lanes = [&](int32_t i) {
        const __m128i bits = _mm_set1_epi32(static_cast<int32_t>((legal >> (4 * i)) & 0xF));
        return _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(bits, lane_bits), lane_bits));
    };
    auto select = [](Lanes on, Lanes a, Lanes b) { return _mm_or_ps(_mm_and_ps(on, a), _mm_andnot_ps(on, b)); };
    auto unordered = [](Lanes v) { return _mm_cmpunord_ps(v, v); };
    auto either = [](Lanes a, Lanes b) { return _mm_or_ps(a, b); };
    auto any_lane = [](Lanes v) { return _mm_movemask_ps(v) != 0; };
    auto equal = [](Lanes a, Lanes b) { return static_cast<uint32_t>(_mm_movemask_ps(_mm_cmpeq_ps(a, b))); };
    auto larger = [](Lanes a, Lanes b) { return _mm_max_ps(a, b); };
    auto all = [](float x) { return _mm_set1_ps(x); };
    auto largest_lane = [](Lanes v) {
        const __m128 pair = _mm_max_ps(v, _mm_movehl_ps(v, v));
        return _mm_cvtss_f32(_mm_max_ss(pair, _mm_shuffle_ps(pair, pair, 1)));
    };
#endif
    constexpr int32_t groups = 64 / output_lanes;
    // The legal outputs, the lowest finite float in the other lanes.
    Lanes best = all(lowest_float);
    Lanes not_a_number = all(0.0f);
    for (int32_t i = 0; i < groups; ++i) {
        const Lanes candidates = select(legal_lanes(i), sums.part[i], all(lowest_float));
        best = larger(best, candidates);
        not_a_number = either(not_a_number, unordered(candidates));
    }
    if (any_lane(not_a_number))
        return choose_among(legal, outputs_of_squares);
    const float top = largest_lane(best);
    Mask ties = 0;
    for (int32_t i = 0; i < groups; ++i)
        ties |= static_cast<Mask>(equal(sums.part[i], all(top))) << (output_lanes * i);
    ties &= legal;
    if ((ties & (ties - 1)) == 0)
        return ties == 0 ? 0 : lowest_bit(ties) + 1;
    const int32_t count = count_bits(ties);
    const int32_t r = draw_random();
    return kth_square(ties, ((r + 1) * count + (random_range - 1)) / random_range);
#else
    (void)sums;
    return choose_among(legal, outputs_of_squares);
#endif
}

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
inline HalfMove half_move(Mask& own, Mask& rival, Mask& others, const float* weights, float* units)
{
    const Sides view{own, rival | others};
    const Mask legal = legal_moves(view.own, view.opp);
    const HiddenSums sums = hidden1_sums(weights, inputs_of(view.own, view.opp, Colour2), zero_hidden());
    const int32_t square = choose_among(legal, finish_pass<true>(weights, sums, units), units + first_output);
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
    float* units = activations + units_element;

    HalfMove last_black{};
    int32_t moves = 0;
    for (;;) {
        const HalfMove white_move = half_move<false>(whites, blacks, others, weights_a, units);
        last_black = half_move<true>(blacks, whites, others, weights_b, units);
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
