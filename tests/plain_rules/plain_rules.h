// The plain rules, pass and match, written as directly as possible, on the same
// tables and the same random source as the fast ones. The equivalence tests and the
// benchmarks compare the two; they are a library of their own, which the programs do not link.
#pragma once
#include <cstdint>

namespace plain {

void find_legal_moves(uint8_t side);
void play_move(int32_t square, uint8_t side);
void encode_inputs(uint8_t side);
void evaluate_network(int32_t k);
int32_t choose_move(uint8_t side);
void play_match(int32_t a, int32_t b);

} // namespace plain
