// A network's move, one complete match between two networks, and its score.
#pragma once
#include <cstdint>

// Room for every square: a position can never tie more legal squares than that.
constexpr int32_t tie_list_size = 64;

struct MatchPoints {
    int32_t colour1;
    int32_t colour2;
};

// The legal square of `side` with the highest output of the last pass, ties shared
// out by one random draw; 0 when `side` has no legal move. Rebuilds the legal-move map.
int32_t choose_move(uint8_t side);

// Network `network`'s move for `side` on the current board: its inputs, its pass and
// the choice among its outputs. 0 when no square can be chosen.
int32_t network_move(int32_t network, uint8_t side);

// One game from the opening position already on the current board; network a plays
// colour 1 (moving first), network b colour 2.
void play_match(int32_t a, int32_t b);

// Points of the final position: 3 to the side with more pieces (4 when it leads by
// 40 or more), nothing to the other, 1 each on a draw.
MatchPoints score_match();
