// The measuring tools' own random source, apart from the programs' generator: a
// 64-bit generator seeded afresh for every game from the names of that game (seed,
// player, opponent, game number), so that a game comes out the same whichever
// process plays it and whatever was played before it.
#pragma once
#include <cstdint>

// Folds `value` into `seed`; different values give unrelated seeds.
uint64_t mix_seed(uint64_t seed, uint64_t value);

void seed_tool_random(uint64_t seed);
uint64_t draw_tool_bits();
// Uniform in 0 .. n - 1 (n >= 1), without bias.
int32_t draw_tool_below(int32_t n);
// Uniform in [0, 1), in steps of 2^-53.
double draw_tool_unit();

// The same generator on a state of the caller's, apart from the tools' random source:
// the next 64 bits, and a draw uniform in 0 .. n - 1 (n >= 1) without bias.
uint64_t draw_bits_from(uint64_t& state);
int32_t draw_below_from(uint64_t& state, int32_t n);
