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

// The main window's scale (scale.h), set when it is created and when it moves to a
// monitor of another DPI.
inline UINT window_dpi = 96;              // the DPI of the monitor the main window is on
inline int32_t display_multiple = 1;      // each pixel of the layout a block this many pixels wide
inline HFONT text_font = nullptr;         // of the texts and the status line; nullptr: the system's

// Takes the core's tables, both boards and both populations among them (tables.h).
void allocate_game_buffers();
// A new game's values: person white and to move, level 1, cursors loaded afresh.
void new_game();
// Loads the yes and no cursors from their files, at the window's multiple.
void load_cursors();
