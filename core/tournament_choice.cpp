#include "tournament_choice.h"

#include <utility>

#include "tables.h"

void swap_boards() { std::swap(current_board, spare_board); }
