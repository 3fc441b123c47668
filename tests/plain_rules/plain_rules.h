// The plain rules, pass and match, written as directly as possible, on the same
// tables and the same random source as the fast ones. The equivalence tests and the
// benchmarks compare the two; they are a library of their own, which the programs do not link.
#pragma once
#include <cstdint>

namespace plain {

// 1 when a piece of `side` on (x, y) would capture along (dx, dy): at least one
// opponent piece next to it, and the run closed by a piece of `side`.
int32_t line_test(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side);
// Turns the opponent pieces that a piece of `side` on (x, y) captures along (dx, dy).
void flip_line(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side);
void find_legal_moves(uint8_t side);
void play_move(int32_t square, uint8_t side);
void encode_inputs(uint8_t side);
void evaluate_network(int32_t k);
int32_t choose_move(uint8_t side);
void play_match(int32_t a, int32_t b);

} // namespace plain
