// The random source: a 32-bit linear congruential generator giving 0..32767.
#pragma once
#include <cstdint>

constexpr int32_t random_range = 32768; // draws are 0 .. random_range - 1

void seed_random(uint32_t seed);
int32_t draw_random();
uint32_t random_state_now(); // the generator's state, for tests and tools
