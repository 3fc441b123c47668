#include "tool_random.h"

namespace {

uint64_t tool_random_state = 0;

// The output function of splitmix64: a bijection of 64-bit values that spreads
// every input bit over the whole result.
uint64_t scramble(uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

constexpr uint64_t golden_step = 0x9E3779B97F4A7C15u;

} // namespace

uint64_t mix_seed(uint64_t seed, uint64_t value) { return scramble(seed ^ scramble(value + golden_step)); }

void seed_tool_random(uint64_t seed) { tool_random_state = seed; }

uint64_t draw_bits_from(uint64_t& state)
{
    state += golden_step;
    return scramble(state);
}

int32_t draw_below_from(uint64_t& state, int32_t n)
{
    const auto range = static_cast<uint64_t>(n);
    // Draws at or above the largest multiple of n are thrown back.
    const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    uint64_t bits = draw_bits_from(state);
    while (bits >= limit)
        bits = draw_bits_from(state);
    return static_cast<int32_t>(bits % range);
}

uint64_t draw_tool_bits() { return draw_bits_from(tool_random_state); }

int32_t draw_tool_below(int32_t n) { return draw_below_from(tool_random_state, n); }

double draw_tool_unit() { return static_cast<double>(draw_tool_bits() >> 11) * 0x1.0p-53; }
