// The course of a game: the person's move, the computer's answer, passes, the end of
// the game and the question to play again.
#pragma once
#include <windows.h>

#include <cstdint>

// A click on the board: plays the person's move on the square under the pointer if it
// is legal there, draws it, then runs the computer's answer; elsewhere nothing happens.
void handle_click(HWND window);
// Runs the computer's answer until the person has a legal move or the game has ended.
void computer_reply(HWND window);
// Legal moves of the side to move: 1 if it has one, 0 if it passes (after its message)
// or the game has ended.
int32_t start_turn(HWND window);
// Ends the game when the board is full or a colour has no piece left.
void check_game_end(HWND window);
// Asks whether to play again: a new game, or the end of the program.
void end_game(HWND window);
