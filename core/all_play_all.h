// Tournaments among the networks of the current population, from the opening
// position, their points summed in the score table.
#pragma once
#include <algorithm>
#include <cstdint>

#include "shape.h"
#include "tables.h"

// One game from the opening position, network i moving first with colour 1 and
// network j playing colour 2. Colour 1's points go to network i; colour 2's to
// network j only when both are credited. Additions are 16-bit.
void tournament_game(int32_t i, int32_t j, bool credit_both);

// Clears the score table, then networks 1..last play every ordered pairing, i before
// j: (1, 2), (1, 3), ..., (1, last), (2, 1), (2, 3), ..., (last, last - 1), that is
// last * (last - 1) games. after_game(games played so far) follows each game.
template <typename AfterGame>
void play_ordered_pairs(int32_t last, bool credit_both, AfterGame&& after_game)
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    int32_t games_played = 0;
    for (int32_t i = 1; i <= last; ++i) {
        for (int32_t j = 1; j <= last; ++j) {
            if (j == i)
                continue;
            tournament_game(i, j, credit_both);
            after_game(++games_played);
        }
    }
}

inline void play_ordered_pairs(int32_t last, bool credit_both)
{
    play_ordered_pairs(last, credit_both, [](int32_t) {});
}

// The first network of 1..36 with the highest score: a later one wins only with a
// strictly higher score, so ties go to the lowest number.
int32_t best_network();
