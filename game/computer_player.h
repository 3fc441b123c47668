// The computer player: the network buffers, the loading of the hall of fame, and the
// computer's move chosen by the winner of a tournament among the first `level` networks.
// The tournament and the choice are the core's (all_play_all.h, tournament_choice.h);
// here they show their progress in the status line.
#pragma once
#include <windows.h>

#include <cstdint>

// Takes the current population, the next population and the activation array.
void allocate_network_buffers();
// Reads the 36 stored networks into the current population: 1 when loaded, 0 after
// a failure, which has then been shown in a message box owned by `window`.
int32_t load_hall_of_fame(HWND window);
// Frees the current population when the window goes away.
void release_population();

// Plays the computer's move for `colour` on the live board, after the thinking
// tournament. Returns the square played, or 0 when no square could be chosen.
int32_t computer_move(uint8_t colour, HWND window);
// Networks 1..level play every ordered pairing, the status line showing the progress.
void thinking_tournament(HWND window);

// Percentage shown after `games_played` tournament games, from the progress step.
int32_t progress_after(int32_t games_played);
