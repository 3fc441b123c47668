#include "random.h"

namespace {
uint32_t random_state = 1; // state 1 until seeded
}

void seed_random(uint32_t seed) { random_state = seed; }

int32_t draw_random()
{
    random_state = random_state * 214013u + 2531011u;
    return static_cast<int32_t>((random_state >> 16) & 0x7FFFu);
}

uint32_t random_state_now() { return random_state; }
