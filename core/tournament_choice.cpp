#include "tournament_choice.h"

#include <utility>

#include "all_play_all.h"
#include "match.h"
#include "tables.h"

void swap_boards() { std::swap(current_board, spare_board); }

int32_t winner_choice(uint8_t colour) { return network_move(best_network(), colour); }
