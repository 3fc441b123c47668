// Ranking of the 36 stored networks by an all-play-all tournament, best first. The
// tournament and the new order are the core's (all_play_all.h, ranking_order.h);
// here the tournament shows its progress in the status line.
#pragma once
#include <windows.h>

// All 36 networks play every ordered pairing, both sides credited, the status line
// showing the progress; then the current population is reordered by the scores.
void rank_networks(HWND window);
