// The trainer's own program-wide tables, allocated once at start-up (the score table
// and the two population buffers are the core's, in tables.h).
#pragma once
#include <cstdint>

inline int16_t* parent_list = nullptr;    // 37 entries: entry k is the k-th parent drawn
inline int16_t* pairing_table = nullptr;  // 37 entries: 1, 19, 2, 20, ..., 18, 36
inline int32_t* roulette_table = nullptr; // 37 entries: cumulative shares on the scale 0..32767
inline int32_t total_score = 0;           // sum of score table entries 1..36 after a tournament
