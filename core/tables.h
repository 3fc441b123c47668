// The tables the core works on, program-wide. Their owner (below) allocates the whole
// set once at start-up and points these at it; the rules, passes and matches work in
// place on them and allocate nothing.
#pragma once
#include <cstdint>

inline uint8_t* current_board = nullptr;      // 65 cells: 0 empty, 1 white, 2 black; cell 0 unused
inline uint8_t* spare_board = nullptr;        // the second board: the live position waits there
inline uint8_t* legal_move_map = nullptr;     // 65 cells: 1 where the side to move may play
inline float* activations = nullptr;          // 234 floats, element 0 unused
inline float* current_population = nullptr;   // 153361 floats: header, then 36 networks
inline float* next_population = nullptr;      // the other population buffer; the two exchange roles
inline int16_t* score_table = nullptr;        // 37 entries: network n's points at entry n; entry 0 unused

// Allocates the whole set (both boards, the legal-move map, the activation array, both
// populations and the score table), every cell zero, and points the tables above at
// it: once, at a program's start-up. The set is kept until the program ends. A later
// call, as when the tests run a program again in the same process, zeroes the same
// blocks again (and allocates anew a population block that was released).
void allocate_core_tables();
// Releases the population block that current_population points at, and points it at
// nothing: the game does so when its window goes.
void release_current_population();
// Releases the whole set and points the tables at nothing, before the program ends
// (the tests, between two cases).
void release_core_tables();
