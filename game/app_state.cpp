#include "app_state.h"

#include "tables.h"

namespace {
// The size of the cursor files, and of the system's cursors at 96 DPI.
constexpr int cursor_size = 32;

HCURSOR load_cursor_file(const char* name)
{
    // Windows stretches a cursor file to the size asked for: by a whole multiple, each
    // pixel becomes a block.
    const int size = cursor_size * display_multiple;
    return static_cast<HCURSOR>(LoadImageA(nullptr, name, IMAGE_CURSOR, size, size, LR_LOADFROMFILE));
}
}

void allocate_game_buffers() { allocate_core_tables(); }

void load_cursors()
{
    // By relative name: the files lie in the working directory.
    yes_cursor = load_cursor_file("oui.cur");
    no_cursor = load_cursor_file("non.cur");
}

void new_game()
{
    load_cursors(); // at every new game
    side_to_move = white;
    human_colour = white;
    credit_both = 0;
    game_over = 0;
    level = 1;
    find_legal_moves(white);
}
