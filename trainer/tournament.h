// The generation tournament: six groups of six networks, every pair once.
#pragma once
#include <cstdint>

constexpr int32_t group_size = 6;

// Clears the score table and plays the 90 pairings of one generation.
void play_tournament();
// One match between networks a and b, colours drawn at random, points added to the score table.
void play_pair(int32_t a, int32_t b);
