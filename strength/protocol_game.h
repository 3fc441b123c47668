// One measured game between a player and a reference opponent.
//
// The game starts from the opening position, white (colour 1) moving first. The first
// `opening_moves` moves of the game are uniformly random legal moves. After them, at
// every turn of either side that has a legal move, "explore" is drawn first with
// probability `epsilon`: exploring, the side plays a uniformly random legal move;
// otherwise it plays its own move. A side without a legal move passes, and the game
// ends when neither side can move (or neither side chose a move). The outcome is the
// player's: more pieces than the opponent at the end is a win, as many a draw.
#pragma once
#include <cstdint>

#include "opponents.h"
#include "players.h"

struct Protocol {
    double epsilon;        // 0 .. 1
    int32_t opening_moves; // random moves that open every game
};

enum class Outcome : uint8_t { win, draw, loss };

// Seeds the tools' random source and the programs' random source (which breaks the
// networks' ties) for the game named by these four values.
void seed_game(uint64_t seed, const Player& player, Opponent opponent, int32_t game);
// The same for a game named by one seed of the caller's.
void seed_game(uint64_t game_seed);

// Plays the game on the current board, which must be allocated, with the player
// holding `player_colour`; the board ends in the final position.
Outcome play_protocol_game(const Player& player, Opponent opponent, uint8_t player_colour,
                           const Protocol& protocol);
// The same against network `rival` (1..36) of the current population.
Outcome play_protocol_game(const Player& player, int32_t rival, uint8_t player_colour, const Protocol& protocol);
