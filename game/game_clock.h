// The clock that seeds the random source when the main window is created.
// Tests point it at their own function to choose the seed.
#pragma once
#include <cstdint>
#include <ctime>

inline uint32_t clock_seconds() { return static_cast<uint32_t>(std::time(nullptr)); }

inline uint32_t (*game_clock)() = clock_seconds;
