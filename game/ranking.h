// Ranking of the 36 stored networks by an all-play-all tournament, best first.
#pragma once
#include <windows.h>

#include <cstdint>

// Reorders the current population by the ranking tournament's scores.
void rank_networks(HWND window);
void ranking_tournament(HWND window);
// The first network with the highest score not yet taken; marks it taken (-10).
int32_t take_best_remaining();
// Copies network n of the current population to position p of the next population.
void copy_network(int32_t n, int32_t p);
// The next population becomes the current one, and the other way round.
void swap_populations();
