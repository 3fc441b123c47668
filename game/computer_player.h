// The computer player: the loading of the hall of fame, and the computer's move chosen
// by the winner of a tournament among the first `level` networks. The tournament and
// the choice are the core's (all_play_all.h, tournament_choice.h); here they show their
// progress in the status line.
#pragma once
#include <windows.h>

#include <cstdint>

// Reads the 36 stored networks into the current population: 1 when loaded, 0 after
// a failure, which has then been shown in a message box owned by `window`.
int32_t load_hall_of_fame(HWND window);

// Plays the computer's move for `colour` on the live board, after the thinking
// tournament. Returns the square played, or 0 when no square could be chosen.
int32_t computer_move(uint8_t colour, HWND window);

// Networks 1..last play every ordered pairing, colour 2 credited as well when
// credit_both is 1. After each game the status line shows `format` with the
// percentage of the games played so far, and at the end "  A vous de jouer ! ".
void tournament_with_progress(HWND window, int32_t last, const char* format);
