#include "app_state.h"

#include <memory>

#include "shape.h"
#include "tables.h"

namespace {
// The blocks behind the tables; they live until the program ends.
std::unique_ptr<int16_t[]> score_block;
std::unique_ptr<uint8_t[]> first_board_block;
std::unique_ptr<uint8_t[]> second_board_block;
std::unique_ptr<uint8_t[]> legal_move_block;
}

void allocate_game_buffers()
{
    score_block = std::make_unique<int16_t[]>(networks_bound);
    first_board_block = std::make_unique<uint8_t[]>(board_cells);
    second_board_block = std::make_unique<uint8_t[]>(board_cells);
    legal_move_block = std::make_unique<uint8_t[]>(board_cells);
    score_table = score_block.get();
    current_board = first_board_block.get();
    spare_board = second_board_block.get();
    legal_move_map = legal_move_block.get();
}

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
