// The board as 64-bit masks, bit s - 1 for square s: reading and writing the byte
// tables, the legal moves of a side and the pieces a move turns.
//
// Included only by the kernel sources, each compiled for its own instruction set:
// everything here has internal linkage so that every copy stays with the code that
// was built for it, and no function of the standard library is called at run time
// (an out-of-line copy of one could be shared with code built for any processor).
#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

// The instructions that the kernels use, as far as the compiler may use them for this
// source; none in a portable kernel set, which is plain C++.
#if !defined(ELVARIN_PORTABLE_KERNELS)
#if defined(__SSE2__)
#define ELVARIN_KERNEL_SSE2 1
#endif
#if defined(__AVX2__)
#define ELVARIN_KERNEL_AVX2 1
#endif
#if defined(__BMI2__)
#define ELVARIN_KERNEL_BMI2 1
#endif
#if defined(__POPCNT__)
#define ELVARIN_KERNEL_POPCNT 1
#endif
#endif

namespace {

using Mask = uint64_t;

constexpr Mask column_1 = 0x0101010101010101ull;
constexpr Mask not_column_1 = ~column_1;
constexpr Mask not_column_8 = ~(column_1 << 7);

inline int32_t lowest_bit(Mask m) { return __builtin_ctzll(m); }

inline int32_t count_bits(Mask m)
{
#if defined(ELVARIN_KERNEL_POPCNT)
    return __builtin_popcountll(m);
#else
    m -= (m >> 1) & 0x5555555555555555ull;
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int32_t>((m * 0x0101010101010101ull) >> 56);
#endif
}

// Bit s - 1 set where cell s (1..64) of the board equals `value`.
inline Mask cells_equal(const uint8_t* board, uint8_t value)
{
    Mask m = 0;
#if defined(ELVARIN_KERNEL_SSE2)
    const __m128i v = _mm_set1_epi8(static_cast<char>(value));
    for (int32_t i = 0; i < 4; ++i) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 1 + 16 * i));
        m |= static_cast<Mask>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, v)))) << (16 * i);
    }
#else
    for (int32_t s = 1; s <= 64; ++s)
        m |= static_cast<Mask>(board[s] == value) << (s - 1);
#endif
    return m;
}

// Cells 1..64 of `cells` become 1 where the mask has a bit, 0 elsewhere.
inline void write_mask_cells(uint8_t* cells, Mask m)
{
#if defined(ELVARIN_KERNEL_BMI2)
    for (int32_t i = 0; i < 8; ++i) {
        const Mask bytes = _pdep_u64(m >> (8 * i), column_1);
        __builtin_memcpy(cells + 1 + 8 * i, &bytes, 8);
    }
#elif defined(ELVARIN_KERNEL_SSE2)
    const __m128i bit_of_byte = _mm_set1_epi64x(static_cast<long long>(0x8040201008040201ull));
    const __m128i ones = _mm_set1_epi8(1);
    for (int32_t i = 0; i < 4; ++i) {
        const uint32_t chunk = static_cast<uint32_t>(m >> (16 * i));
        const __m128i spread = _mm_set_epi64x(static_cast<long long>(((chunk >> 8) & 0xFF) * column_1),
                                              static_cast<long long>((chunk & 0xFF) * column_1));
        const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(spread, bit_of_byte), bit_of_byte);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + 1 + 16 * i), _mm_and_si128(set, ones));
    }
#else
    for (int32_t s = 1; s <= 64; ++s)
        cells[s] = static_cast<uint8_t>((m >> (s - 1)) & 1);
#endif
}

// Squares of the mask become `value` on the board; the other cells are left alone.
inline void write_mask_value(uint8_t* board, Mask m, uint8_t value)
{
    for (; m; m &= m - 1)
        board[lowest_bit(m) + 1] = value;
}

// One step of every piece in direction (Dx, Dy); pieces that would leave the board
// vanish instead of wrapping to the other edge.
template <int32_t Dx, int32_t Dy>
constexpr Mask step(Mask m)
{
    constexpr int32_t shift = Dx + 8 * Dy;
    const Mask moved = shift > 0 ? m << (shift > 0 ? shift : 0) : m >> (shift < 0 ? -shift : 0);
    return Dx == 1 ? moved & not_column_1 : Dx == -1 ? moved & not_column_8 : moved;
}

// `gen` together with the runs of opponent pieces that continue it in direction
// (Dx, Dy), filled in three doubling steps.
template <int32_t Dx, int32_t Dy>
constexpr Mask with_runs(Mask gen, Mask opp)
{
    constexpr int32_t shift = Dx + 8 * Dy;
    auto moved = [](Mask m, int32_t times) {
        return shift > 0 ? m << (shift * times) : m >> (-shift * times);
    };
    // Opponent pieces that a step can reach without wrapping, then pairs and fours of them.
    Mask through = Dx == 1 ? opp & not_column_1 : Dx == -1 ? opp & not_column_8 : opp;
    gen |= through & moved(gen, 1);
    through &= moved(through, 1);
    gen |= through & moved(gen, 2);
    through &= moved(through, 2);
    gen |= through & moved(gen, 4);
    return gen;
}

// Squares reached by stepping once past a run of opponent pieces that starts next to
// a piece of the side. Playing there captures that run in the opposite direction.
template <int32_t Dx, int32_t Dy>
constexpr Mask beyond_runs(Mask own, Mask opp)
{
    return step<Dx, Dy>(with_runs<Dx, Dy>(own, opp) & opp);
}

// The run of opponent pieces that a piece placed on `square` closes in direction
// (Dx, Dy), or nothing when the run is not closed by a piece of the side.
template <int32_t Dx, int32_t Dy>
constexpr Mask closed_run(Mask square, Mask own, Mask opp)
{
    const Mask run = with_runs<Dx, Dy>(square, opp) & opp;
    return (step<Dx, Dy>(run) & own) != 0 ? run : 0;
}

#if defined(ELVARIN_KERNEL_AVX2)

// Four directions at once: lanes shifting left by 1, 8, 9, 7 (and right by the same),
// that is (+1, 0), (0, +1), (+1, +1), (-1, +1) and their opposites.
struct FourDirections {
    __m256i shift1 = _mm256_set_epi64x(7, 9, 8, 1);
    __m256i shift2 = _mm256_set_epi64x(14, 18, 16, 2);
    __m256i shift4 = _mm256_set_epi64x(28, 36, 32, 4);
    __m256i left_wrap = _mm256_set_epi64x(static_cast<long long>(not_column_8), static_cast<long long>(not_column_1),
                                          -1, static_cast<long long>(not_column_1));
    __m256i right_wrap = _mm256_set_epi64x(static_cast<long long>(not_column_1), static_cast<long long>(not_column_8),
                                           -1, static_cast<long long>(not_column_8));
};

inline Mask or_lanes(__m256i v)
{
    const __m128i half = _mm_or_si128(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    return static_cast<Mask>(_mm_cvtsi128_si64(_mm_or_si128(half, _mm_unpackhi_epi64(half, half))));
}

// Each lane shifted towards the high squares (Left) or the low ones by its own count.
template <bool Left>
inline __m256i shifted(__m256i v, __m256i counts)
{
    if constexpr (Left)
        return _mm256_sllv_epi64(v, counts);
    else
        return _mm256_srlv_epi64(v, counts);
}

// with_runs for the four left-shifting directions (Left), or for the four right-shifting ones.
template <bool Left>
inline __m256i with_runs_four(const FourDirections& d, __m256i gen, __m256i opp)
{
    __m256i through = _mm256_and_si256(opp, Left ? d.left_wrap : d.right_wrap);
    gen = _mm256_or_si256(gen, _mm256_and_si256(through, shifted<Left>(gen, d.shift1)));
    through = _mm256_and_si256(through, shifted<Left>(through, d.shift1));
    gen = _mm256_or_si256(gen, _mm256_and_si256(through, shifted<Left>(gen, d.shift2)));
    through = _mm256_and_si256(through, shifted<Left>(through, d.shift2));
    return _mm256_or_si256(gen, _mm256_and_si256(through, shifted<Left>(gen, d.shift4)));
}

inline Mask legal_moves(Mask own, Mask opp)
{
    const FourDirections d;
    const __m256i own4 = _mm256_set1_epi64x(static_cast<long long>(own));
    const __m256i opp4 = _mm256_set1_epi64x(static_cast<long long>(opp));
    const __m256i left = _mm256_and_si256(with_runs_four<true>(d, own4, opp4), opp4);
    const __m256i right = _mm256_and_si256(with_runs_four<false>(d, own4, opp4), opp4);
    const __m256i beyond = _mm256_or_si256(_mm256_and_si256(_mm256_sllv_epi64(left, d.shift1), d.left_wrap),
                                           _mm256_and_si256(_mm256_srlv_epi64(right, d.shift1), d.right_wrap));
    return or_lanes(beyond) & ~(own | opp);
}

inline Mask turned_pieces(Mask square, Mask own, Mask opp)
{
    const FourDirections d;
    const __m256i square4 = _mm256_set1_epi64x(static_cast<long long>(square));
    const __m256i own4 = _mm256_set1_epi64x(static_cast<long long>(own));
    const __m256i opp4 = _mm256_set1_epi64x(static_cast<long long>(opp));
    const __m256i left = _mm256_and_si256(with_runs_four<true>(d, square4, opp4), opp4);
    const __m256i right = _mm256_and_si256(with_runs_four<false>(d, square4, opp4), opp4);
    // A run counts only when the step past it lands on a piece of the side.
    const __m256i zero = _mm256_setzero_si256();
    const __m256i left_end = _mm256_and_si256(_mm256_and_si256(_mm256_sllv_epi64(left, d.shift1), d.left_wrap), own4);
    const __m256i right_end = _mm256_and_si256(_mm256_and_si256(_mm256_srlv_epi64(right, d.shift1), d.right_wrap), own4);
    return or_lanes(_mm256_or_si256(_mm256_andnot_si256(_mm256_cmpeq_epi64(left_end, zero), left),
                                    _mm256_andnot_si256(_mm256_cmpeq_epi64(right_end, zero), right)));
}

#else

// The empty squares where the side may play.
inline Mask legal_moves(Mask own, Mask opp)
{
    const Mask reached = beyond_runs<0, 1>(own, opp) | beyond_runs<1, 0>(own, opp) | beyond_runs<1, 1>(own, opp) |
                         beyond_runs<-1, -1>(own, opp) | beyond_runs<-1, 0>(own, opp) |
                         beyond_runs<0, -1>(own, opp) | beyond_runs<1, -1>(own, opp) | beyond_runs<-1, 1>(own, opp);
    return reached & ~(own | opp);
}

// The opponent pieces that a piece of the side placed on `square` turns.
inline Mask turned_pieces(Mask square, Mask own, Mask opp)
{
    return closed_run<0, -1>(square, own, opp) | closed_run<0, 1>(square, own, opp) |
           closed_run<1, 0>(square, own, opp) | closed_run<-1, 0>(square, own, opp) |
           closed_run<-1, -1>(square, own, opp) | closed_run<1, 1>(square, own, opp) |
           closed_run<1, -1>(square, own, opp) | closed_run<-1, 1>(square, own, opp);
}

#endif

} // namespace
