// The board as 64-bit masks, bit s - 1 for square s: reading and writing the byte
// tables, the legal moves of a side and the pieces a move turns.
//
// Included only by the kernel sources, each compiled for its own instruction set:
// everything here has internal linkage so that every copy stays with the code that
// was built for it.
#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace {

using Mask = uint64_t;

constexpr Mask column_1 = 0x0101010101010101ull;
constexpr Mask not_column_1 = ~column_1;
constexpr Mask not_column_8 = ~(column_1 << 7);

inline int32_t lowest_bit(Mask m) { return __builtin_ctzll(m); }

// Bit s - 1 set where cell s (1..64) of the board equals `value`.
inline Mask cells_equal(const uint8_t* board, uint8_t value)
{
    Mask m = 0;
#if defined(__SSE2__)
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
#if defined(__BMI2__)
    for (int32_t i = 0; i < 8; ++i) {
        const Mask bytes = _pdep_u64(m >> (8 * i), column_1);
        __builtin_memcpy(cells + 1 + 8 * i, &bytes, 8);
    }
#elif defined(__SSE2__)
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

// Squares reached by stepping once past a run of opponent pieces that starts next to
// a piece of the side. Playing there captures that run in the opposite direction.
template <int32_t Dx, int32_t Dy>
constexpr Mask beyond_runs(Mask own, Mask opp)
{
    Mask run = step<Dx, Dy>(own) & opp;
    for (int32_t i = 0; i < 5; ++i) // a run is at most 6 pieces long
        run |= step<Dx, Dy>(run) & opp;
    return step<Dx, Dy>(run);
}

// The run of opponent pieces that a piece placed on `square` closes in direction
// (Dx, Dy), or nothing when the run is not closed by a piece of the side.
template <int32_t Dx, int32_t Dy>
constexpr Mask closed_run(Mask square, Mask own, Mask opp)
{
    Mask run = step<Dx, Dy>(square) & opp;
    for (int32_t i = 0; i < 5; ++i)
        run |= step<Dx, Dy>(run) & opp;
    return (step<Dx, Dy>(run) & own) != 0 ? run : 0;
}

#if defined(__AVX2__)

// Four directions at once: lanes shifting left by 1, 8, 9, 7 (and right by the same),
// that is (+1, 0), (0, +1), (+1, +1), (-1, +1) and their opposites.
struct FourDirections {
    __m256i shifts = _mm256_set_epi64x(7, 9, 8, 1);
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

inline Mask legal_moves(Mask own, Mask opp)
{
    const FourDirections d;
    const __m256i own4 = _mm256_set1_epi64x(static_cast<long long>(own));
    const __m256i opp4 = _mm256_set1_epi64x(static_cast<long long>(opp));
    const __m256i opp_left = _mm256_and_si256(opp4, d.left_wrap);
    const __m256i opp_right = _mm256_and_si256(opp4, d.right_wrap);
    __m256i left = _mm256_and_si256(_mm256_sllv_epi64(own4, d.shifts), opp_left);
    __m256i right = _mm256_and_si256(_mm256_srlv_epi64(own4, d.shifts), opp_right);
    for (int32_t i = 0; i < 5; ++i) {
        left = _mm256_or_si256(left, _mm256_and_si256(_mm256_sllv_epi64(left, d.shifts), opp_left));
        right = _mm256_or_si256(right, _mm256_and_si256(_mm256_srlv_epi64(right, d.shifts), opp_right));
    }
    left = _mm256_and_si256(_mm256_sllv_epi64(left, d.shifts), d.left_wrap);
    right = _mm256_and_si256(_mm256_srlv_epi64(right, d.shifts), d.right_wrap);
    return or_lanes(_mm256_or_si256(left, right)) & ~(own | opp);
}

inline Mask turned_pieces(Mask square, Mask own, Mask opp)
{
    const FourDirections d;
    const __m256i sq4 = _mm256_set1_epi64x(static_cast<long long>(square));
    const __m256i own4 = _mm256_set1_epi64x(static_cast<long long>(own));
    const __m256i opp4 = _mm256_set1_epi64x(static_cast<long long>(opp));
    const __m256i opp_left = _mm256_and_si256(opp4, d.left_wrap);
    const __m256i opp_right = _mm256_and_si256(opp4, d.right_wrap);
    __m256i left = _mm256_and_si256(_mm256_sllv_epi64(sq4, d.shifts), opp_left);
    __m256i right = _mm256_and_si256(_mm256_srlv_epi64(sq4, d.shifts), opp_right);
    for (int32_t i = 0; i < 5; ++i) {
        left = _mm256_or_si256(left, _mm256_and_si256(_mm256_sllv_epi64(left, d.shifts), opp_left));
        right = _mm256_or_si256(right, _mm256_and_si256(_mm256_srlv_epi64(right, d.shifts), opp_right));
    }
    const __m256i zero = _mm256_setzero_si256();
    const __m256i left_end = _mm256_and_si256(_mm256_and_si256(_mm256_sllv_epi64(left, d.shifts), d.left_wrap), own4);
    const __m256i right_end = _mm256_and_si256(_mm256_and_si256(_mm256_srlv_epi64(right, d.shifts), d.right_wrap), own4);
    left = _mm256_andnot_si256(_mm256_cmpeq_epi64(left_end, zero), left);
    right = _mm256_andnot_si256(_mm256_cmpeq_epi64(right_end, zero), right);
    return or_lanes(_mm256_or_si256(left, right));
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
