// The forward pass on a set of sending inputs, the sums of each layer formed in
// vector registers across the receiving units. Every receiving unit still gets its
// additions one at a time, in the order of the sending units, as single-precision
// adds: each lane of a vector add is one such add, so every bit is that of the
// plain loop.
//
// Included only by the kernel sources (see board_masks.h).
#pragma once
#include <cstdint>

#include "board_masks.h"
#include "shape.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace {

static_assert(hidden1_units == 20 && hidden2_units == 20 && outputs == 64, "the kernels are laid out for 20, 20, 64");

constexpr int32_t side_input_element = inputs; // input 129, on when colour 2 is to move

// The inputs that are on, input i at bit (i - 1) mod 64 of word (i - 1) div 64:
// words 0 and 1 hold the board inputs 1..128, bit 0 of word 2 the side input 129.
struct SendingInputs {
    uint64_t word[3];
};

// Bits 0..31 of x moved to the even bits 0, 2, .., 62.
inline uint64_t spread_to_even_bits(uint32_t x)
{
#if defined(ELVARIN_KERNEL_BMI2)
    return _pdep_u64(x, 0x5555555555555555ull);
#else
    uint64_t v = x;
    v = (v | v << 16) & 0x0000FFFF0000FFFFull;
    v = (v | v << 8) & 0x00FF00FF00FF00FFull;
    v = (v | v << 4) & 0x0F0F0F0F0F0F0F0Full;
    v = (v | v << 2) & 0x3333333333333333ull;
    v = (v | v << 1) & 0x5555555555555555ull;
    return v;
#endif
}

// Square s feeds input 2s - 1 when it holds an opponent piece, 2s when it holds one
// of the side's; input 129 is on when colour 2 is to move.
inline SendingInputs inputs_of(Mask own, Mask opp, bool side_on)
{
    SendingInputs in;
    for (int32_t half = 0; half < 2; ++half)
        in.word[half] = spread_to_even_bits(static_cast<uint32_t>(opp >> (32 * half))) |
                        spread_to_even_bits(static_cast<uint32_t>(own >> (32 * half))) << 1;
    in.word[2] = side_on ? 1 : 0;
    return in;
}

// The inputs of the activation array that hold exactly 1.0.
inline SendingInputs inputs_at_one(const float* a)
{
    SendingInputs in{{0, 0, a[side_input_element] == 1.0f ? 1u : 0u}};
#if defined(ELVARIN_KERNEL_SSE2)
    const __m128 one = _mm_set1_ps(1.0f);
    for (int32_t c = 0; c < 32; ++c) {
        const auto bits = static_cast<uint64_t>(_mm_movemask_ps(_mm_cmpeq_ps(_mm_loadu_ps(a + 1 + 4 * c), one)));
        in.word[c / 16] |= bits << (4 * (c % 16));
    }
#else
    for (int32_t i = 1; i <= 128; ++i)
        in.word[(i - 1) / 64] |= static_cast<uint64_t>(a[i] == 1.0f) << ((i - 1) % 64);
#endif
    return in;
}

#if defined(ELVARIN_KERNEL_SSE2)

// 20 sums of one hidden layer.
struct HiddenSums {
#if defined(ELVARIN_KERNEL_AVX2)
    __m256 low, middle;
    __m128 high;
#else
    __m128 part[5];
#endif
};

inline HiddenSums load_hidden(const float* p)
{
#if defined(ELVARIN_KERNEL_AVX2)
    return {_mm256_loadu_ps(p), _mm256_loadu_ps(p + 8), _mm_loadu_ps(p + 16)};
#else
    return {{_mm_loadu_ps(p), _mm_loadu_ps(p + 4), _mm_loadu_ps(p + 8), _mm_loadu_ps(p + 12), _mm_loadu_ps(p + 16)}};
#endif
}

inline HiddenSums zero_hidden()
{
#if defined(ELVARIN_KERNEL_AVX2)
    return {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm_setzero_ps()};
#else
    const __m128 zero = _mm_setzero_ps();
    return {{zero, zero, zero, zero, zero}};
#endif
}

inline void add_hidden_row(HiddenSums& sums, const float* row)
{
#if defined(ELVARIN_KERNEL_AVX2)
    sums.low = _mm256_add_ps(sums.low, _mm256_loadu_ps(row));
    sums.middle = _mm256_add_ps(sums.middle, _mm256_loadu_ps(row + 8));
    sums.high = _mm_add_ps(sums.high, _mm_loadu_ps(row + 16));
#else
    for (int32_t i = 0; i < 5; ++i)
        sums.part[i] = _mm_add_ps(sums.part[i], _mm_loadu_ps(row + 4 * i));
#endif
}

// Stores 1.0 for the units whose sum is greater than 0.0, 0.0 for the others, and
// returns the units that are on, unit j at bit j - 1.
inline uint32_t threshold_hidden(const HiddenSums& sums, float* p)
{
    const __m128 one = _mm_set1_ps(1.0f);
#if defined(ELVARIN_KERNEL_AVX2)
    const __m256 zero = _mm256_setzero_ps();
    const __m256 low = _mm256_cmp_ps(sums.low, zero, _CMP_GT_OQ);
    const __m256 middle = _mm256_cmp_ps(sums.middle, zero, _CMP_GT_OQ);
    const __m128 high = _mm_cmpgt_ps(sums.high, _mm_setzero_ps());
    const __m256 one8 = _mm256_set1_ps(1.0f);
    _mm256_storeu_ps(p, _mm256_and_ps(low, one8));
    _mm256_storeu_ps(p + 8, _mm256_and_ps(middle, one8));
    _mm_storeu_ps(p + 16, _mm_and_ps(high, one));
    return static_cast<uint32_t>(_mm256_movemask_ps(low)) | static_cast<uint32_t>(_mm256_movemask_ps(middle)) << 8 |
           static_cast<uint32_t>(_mm_movemask_ps(high)) << 16;
#else
    uint32_t on = 0;
    for (int32_t i = 0; i < 5; ++i) {
        const __m128 positive = _mm_cmpgt_ps(sums.part[i], _mm_setzero_ps());
        _mm_storeu_ps(p + 4 * i, _mm_and_ps(positive, one));
        on |= static_cast<uint32_t>(_mm_movemask_ps(positive)) << (4 * i);
    }
    return on;
#endif
}

// The 64 output sums.
struct OutputSums {
#if defined(ELVARIN_KERNEL_AVX2)
    __m256 part[8];
#else
    __m128 part[16];
#endif
};
#if defined(ELVARIN_KERNEL_AVX2)
constexpr int32_t output_lanes = 8;
#else
constexpr int32_t output_lanes = 4;
#endif

inline OutputSums load_outputs(const float* p)
{
    OutputSums sums;
    for (int32_t i = 0; i < 64 / output_lanes; ++i)
#if defined(ELVARIN_KERNEL_AVX2)
        sums.part[i] = _mm256_loadu_ps(p + output_lanes * i);
#else
        sums.part[i] = _mm_loadu_ps(p + output_lanes * i);
#endif
    return sums;
}

inline OutputSums zero_outputs()
{
    OutputSums sums;
    for (int32_t i = 0; i < 64 / output_lanes; ++i)
#if defined(ELVARIN_KERNEL_AVX2)
        sums.part[i] = _mm256_setzero_ps();
#else
        sums.part[i] = _mm_setzero_ps();
#endif
    return sums;
}

inline void add_output_row(OutputSums& sums, const float* row)
{
    for (int32_t i = 0; i < 64 / output_lanes; ++i)
#if defined(ELVARIN_KERNEL_AVX2)
        sums.part[i] = _mm256_add_ps(sums.part[i], _mm256_loadu_ps(row + output_lanes * i));
#else
        sums.part[i] = _mm_add_ps(sums.part[i], _mm_loadu_ps(row + output_lanes * i));
#endif
}

inline void store_outputs(const OutputSums& sums, float* p)
{
    for (int32_t i = 0; i < 64 / output_lanes; ++i)
#if defined(ELVARIN_KERNEL_AVX2)
        _mm256_storeu_ps(p + output_lanes * i, sums.part[i]);
#else
        _mm_storeu_ps(p + output_lanes * i, sums.part[i]);
#endif
}

#else // no vector unit: the same sums one unit after the other

template <int32_t Units>
struct Sums {
    float unit[Units];
};
using HiddenSums = Sums<20>;
using OutputSums = Sums<64>;

template <int32_t Units>
inline Sums<Units> load_sums(const float* p)
{
    Sums<Units> sums;
    for (int32_t j = 0; j < Units; ++j)
        sums.unit[j] = p[j];
    return sums;
}
inline HiddenSums load_hidden(const float* p) { return load_sums<20>(p); }
inline OutputSums load_outputs(const float* p) { return load_sums<64>(p); }
inline HiddenSums zero_hidden() { return HiddenSums{}; }
inline OutputSums zero_outputs() { return OutputSums{}; }

template <int32_t Units>
inline void add_row(Sums<Units>& sums, const float* row)
{
    for (int32_t j = 0; j < Units; ++j)
        sums.unit[j] += row[j];
}
inline void add_hidden_row(HiddenSums& sums, const float* row) { add_row(sums, row); }
inline void add_output_row(OutputSums& sums, const float* row) { add_row(sums, row); }

inline uint32_t threshold_hidden(const HiddenSums& sums, float* p)
{
    uint32_t on = 0;
    for (int32_t j = 0; j < 20; ++j) {
        const bool positive = sums.unit[j] > 0.0f;
        p[j] = positive ? 1.0f : 0.0f;
        on |= static_cast<uint32_t>(positive) << j;
    }
    return on;
}

inline void store_outputs(const OutputSums& sums, float* p)
{
    for (int32_t j = 0; j < 64; ++j)
        p[j] = sums.unit[j];
}

#endif

// The hidden-1 sums of the network whose weight at offset 1 is weights[0]: the rows
// of the sending inputs added in ascending order of input. One loop goes over both
// words of board inputs, so that only its end is a branch that the processor cannot
// foresee; then comes the side input.
inline HiddenSums hidden1_sums(const float* weights, const SendingInputs& in, HiddenSums sums)
{
    uint64_t low = in.word[0];
    uint64_t high = in.word[1];
    while (low | high) {
        const bool in_low = low != 0;
        const uint64_t m = in_low ? low : high;
        add_hidden_row(sums, weights + hidden1_units * (lowest_bit(m) + (in_low ? 0 : 64)));
        low = in_low ? m & (m - 1) : 0;
        high = in_low ? high : m & (m - 1);
    }
    if (in.word[2] != 0)
        add_hidden_row(sums, weights + hidden1_units * (side_input_element - 1));
    return sums;
}

// The rest of the pass from the hidden-1 sums, onto the sums in units[20..103]
// (hidden-2 and outputs), or onto 0.0 when FromZero. units[0..103] are the activation
// elements 130..233: they receive the thresholded hidden units and the raw outputs,
// which are also returned.
template <bool FromZero>
inline OutputSums finish_pass(const float* weights, const HiddenSums& sums1, float* units)
{
    float* hidden1 = units;
    float* hidden2 = units + hidden1_units;
    float* output = units + hidden1_units + hidden2_units;
    const uint32_t on1 = threshold_hidden(sums1, hidden1);

    HiddenSums sums2 = FromZero ? zero_hidden() : load_hidden(hidden2);
    for (uint32_t m = on1; m; m &= m - 1)
        add_hidden_row(sums2, weights + hidden2_block + hidden2_units * __builtin_ctz(m));
    const uint32_t on2 = threshold_hidden(sums2, hidden2);

    OutputSums sums3 = FromZero ? zero_outputs() : load_outputs(output);
    for (uint32_t m = on2; m; m &= m - 1)
        add_output_row(sums3, weights + output_block + outputs * __builtin_ctz(m));
    store_outputs(sums3, output);
    return sums3;
}

// The whole pass onto the sums in the activation array, as evaluate_network does it.
inline void forward_pass(const float* weights, const SendingInputs& in, float* units)
{
    finish_pass<false>(weights, hidden1_sums(weights, in, load_hidden(units)), units);
}

} // namespace
