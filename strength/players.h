// The players that the strength tool measures: one stored network by itself (its
// network_move, match.h: its best legal output, ties drawn from the programs' random
// source), and the game's computer player at a level, whose move is the network_move
// of its tournament's winner.
#pragma once
#include <cstdint>

struct Player {
    enum class Kind { network, level } kind;
    int32_t number; // the network 1..36, or the level 1..36
};

// The network that chooses the game's computer move at level L: the winner of the
// thinking tournament (tournament_choice.h) among networks 1..L from the opening, only
// the colour-1 network credited, as the game plays it before a ranking. A tournament
// that drew no random number (no output ever tied) gives the same winner and draws
// nothing whatever the random source holds, so its winner is kept and the tournament
// not played again: the current population must stay as it is.
int32_t level_winner(int32_t level);
