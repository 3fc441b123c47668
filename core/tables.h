// The tables the core works on. The host program allocates them once at start-up
// and points these at them; the core itself allocates nothing.
#pragma once
#include <cstdint>

inline uint8_t* current_board = nullptr;      // 65 cells: 0 empty, 1 white, 2 black; cell 0 unused
inline uint8_t* spare_board = nullptr;        // the game's second board: the live position waits there
inline uint8_t* legal_move_map = nullptr;     // 65 cells: 1 where the side to move may play
inline float* activations = nullptr;          // 234 floats, element 0 unused
inline float* current_population = nullptr;   // 153361 floats: header, then 36 networks
inline float* next_population = nullptr;      // the other population buffer; the two exchange roles
inline int16_t* score_table = nullptr;        // 37 entries: network n's points at entry n; entry 0 unused
