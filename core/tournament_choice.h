// The computer player's choice, without its window: a tournament among the networks
// is played on the spare board while the live position waits, and the winner chooses
// the move on the live position.
#pragma once
#include <cstdint>

#include "all_play_all.h"
#include "match.h"

// Exchanges the roles of the current and the spare board (the references, not the cells).
void swap_boards();

// Plays `tournament` on the other board, the live position set aside meanwhile (the
// tournament leaves it as it was), and returns its winner (best_network). The
// tournament fills the score table, as play_ordered_pairs does.
template <typename Tournament>
int32_t tournament_winner(Tournament&& tournament)
{
    swap_boards();
    tournament();
    swap_boards();
    return best_network();
}

// The square that the tournament's winner chooses for `colour` on the live position:
// one evaluation and its move choice. 0 when no square can be chosen.
template <typename Tournament>
int32_t tournament_choice(uint8_t colour, Tournament&& tournament)
{
    return network_move(tournament_winner(tournament), colour);
}
