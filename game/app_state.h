// The game window program's state: one set of program-wide variables, set up when
// the main window is created and kept until the program ends. The core's own tables
// (the two boards, legal-move map, activations, both populations, score table) are in
// tables.h.
#pragma once
#include <windows.h>

#include <cstdint>

#include "board.h"

inline HINSTANCE instance_handle = nullptr;

inline uint8_t side_to_move = white;
inline uint8_t human_colour = white;      // the computer plays the other colour
inline int32_t level = 1;                 // networks the computer consults, 1..36
inline int32_t game_over = 0;             // set by end_game so that computer_reply stops
inline int32_t credit_both = 0;           // 1: a tournament game credits colour 2 as well

inline HCURSOR yes_cursor = nullptr;      // over a square where the person may play
inline HCURSOR no_cursor = nullptr;       // over any other square

// Takes the core's tables, both boards and both populations among them (tables.h).
void allocate_game_buffers();
// A new game's values: person white and to move, level 1, cursors loaded afresh.
void new_game();
