// The computer player's choice, without its window: a tournament among the networks
// is played on the spare board while the live position waits, and the winner chooses
// the move on the live position.
#pragma once
#include <cstdint>

// Exchanges the roles of the current and the spare board (the references, not the cells).
void swap_boards();

// The square that the tournament's winner (best_network) chooses for `colour` on the
// current board: one evaluation and its move choice. 0 when no square can be chosen.
int32_t winner_choice(uint8_t colour);

// Plays `tournament` on the other board, the live position set aside meanwhile, then
// returns the winner's choice on the live position (which the tournament leaves as it
// was). The tournament fills the score table, as play_ordered_pairs does.
template <typename Tournament>
int32_t tournament_choice(uint8_t colour, Tournament&& tournament)
{
    swap_boards();
    tournament();
    swap_boards();
    return winner_choice(colour);
}
