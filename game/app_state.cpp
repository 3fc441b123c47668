#include "app_state.h"

#include "tables.h"

void allocate_game_buffers() { allocate_core_tables(); }

void new_game()
{
    // Loaded at every new game, by relative name: the files lie in the working directory.
    yes_cursor = LoadCursorFromFileA("oui.cur");
    no_cursor = LoadCursorFromFileA("non.cur");
    side_to_move = white;
    human_colour = white;
    credit_both = 0;
    game_over = 0;
    level = 1;
    find_legal_moves(white);
}
