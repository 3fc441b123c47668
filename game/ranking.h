// Ranking of the 36 stored networks by an all-play-all tournament, best first. The
// tournament and the new order are the core's (all_play_all.h, ranking_order.h);
// here the tournament shows its progress in the status line.
#pragma once
#include <windows.h>

// Reorders the current population by the ranking tournament's scores.
void rank_networks(HWND window);
// All 36 networks play every ordered pairing, both sides credited, the status line
// showing the progress.
void ranking_tournament(HWND window);
