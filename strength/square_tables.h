// The square-value tables of the opponents that value squares, in hundredths. Apart
// from the standard WPC table (opponents.h), every table is symmetric under the
// board's eight symmetries, so that ten values give it, one for each class of squares
// that the symmetries map onto each other, named by its member in the top-left
// quarter (columns a to h from the left, rows 1 to 8 from the top):
//   a1 the corners; b1 the edge squares next to them; c1, d1 the other edge squares;
//   b2 the squares diagonally next to the corners; c2, d2 the rest of the second ring;
//   c3, d3 the third ring; d4 the four centre squares.
#pragma once
#include <array>
#include <cstdint>

#include "opponents.h"

using ClassValues = std::array<int32_t, 10>; // a1, b1, c1, d1, b2, c2, d2, c3, d3, d4

// The class (0 .. 9, in the order above) of square s (1 .. 64).
constexpr int32_t square_class(int32_t square)
{
    const int32_t row = (square - 1) / 8, column = (square - 1) % 8;
    const int32_t r = row < 4 ? row : 7 - row, c = column < 4 ? column : 7 - column;
    const int32_t near = r < c ? r : c, far = r < c ? c : r; // near <= far <= 3
    constexpr int32_t first_of_ring[4] = {0, 4, 7, 9};
    return first_of_ring[near] + far - near;
}

// The squares of class c (0 .. 9) as a mask, bit s - 1 for square s.
constexpr uint64_t class_squares(int32_t c)
{
    uint64_t m = 0;
    for (int32_t s = 1; s <= 64; ++s)
        m |= static_cast<uint64_t>(square_class(s) == c) << (s - 1);
    return m;
}

// The standard WPC table (opponents.h) by class; it is symmetric.
constexpr ClassValues wpc_values = {wpc_weight(1),  wpc_weight(2),  wpc_weight(3),  wpc_weight(4),  wpc_weight(10),
                                    wpc_weight(11), wpc_weight(12), wpc_weight(19), wpc_weight(20), wpc_weight(28)};
static_assert([] {
    for (int32_t s = 1; s <= 64; ++s)
        if (wpc_weight(s) != wpc_values[static_cast<size_t>(square_class(s))])
            return false;
    return true;
}());

// Tables derived by principle. The novice knows that corners and edges are good and
// that the squares diagonally next to the corners give corners away, and likes pieces
// everywhere else. The quiet player holds corners and edges too, fears the squares
// next to the corners, and keeps few pieces inside, which leaves its opponent few
// moves (the principle of quiet moves).
constexpr ClassValues novice_values = {100, 10, 10, 10, -50, 1, 1, 1, 1, 1};
constexpr ClassValues quiet_values = {100, -20, 5, 5, -50, -1, -1, -1, -1, -1};

// The seeded family: table n's value of each class is drawn uniformly in the class's
// range, in the order above, by the tools' generator (tool_random.h) started at
// mix_seed(family_code, n). Corners always weigh most and the squares diagonally next
// to them always less than nothing; the rest varies around the WPC table's values.
struct ValueRange {
    int32_t low, high;
};
constexpr std::array<ValueRange, 10> family_ranges = {{{40, 160}, {-40, 20}, {-5, 35}, {-5, 25}, {-80, -5},
                                                        {-20, 10}, {-15, 10}, {-5, 20}, {-5, 15}, {-10, 10}}};
ClassValues family_table(int32_t n);

// The table of an opponent whose style is Style::squares.
ClassValues square_values(Opponent opponent);
