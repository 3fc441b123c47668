// The players that the strength tool measures: one stored network by itself, and the
// game's computer player at a level. Both play on the current board for `side` and
// return the square, or 0 when no square could be chosen.
#pragma once
#include <cstdint>

struct Player {
    enum class Kind { network, level } kind;
    int32_t number; // the network 1..36, or the level 1..36
};

// A stored network plays its own choice (network_move, match.h): its best legal
// output, ties drawn from the programs' random source.
int32_t player_move(const Player& player, uint8_t side);
// The game's computer move at level L.
int32_t level_move(int32_t level, uint8_t side);
