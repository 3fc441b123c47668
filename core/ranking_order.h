// Reordering the 36 networks best first by the scores of a tournament among them.
#pragma once
#include <cstdint>

#include "tournament_choice.h"

// The first network with the highest score not yet taken; marks it taken (-10, below
// every tournament score).
int32_t take_best_remaining();
// Copies network n of the current population to position p of the next population.
void copy_network(int32_t n, int32_t p);
// The next population becomes the current one, and the other way round.
void swap_populations();
// Networks 1..36 of the next population get the current ones best first (ties by
// number), and the two populations exchange roles; the header element is not written.
void order_by_scores();

// Plays `tournament` on the other board, the live position set aside meanwhile, then
// reorders the networks by its scores.
template <typename Tournament>
void rank_by_tournament(Tournament&& tournament)
{
    swap_boards();
    tournament();
    swap_boards();
    order_by_scores();
}
