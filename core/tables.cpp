#include "tables.h"

#include <algorithm>
#include <memory>

#include "shape.h"

namespace {

// The blocks behind the tables. The two boards and the two populations exchange
// roles, so the tables may point at either block of a pair.
struct CoreBlocks {
    std::unique_ptr<uint8_t[]> boards[2];
    std::unique_ptr<uint8_t[]> legal_moves;
    std::unique_ptr<float[]> activations;
    std::unique_ptr<float[]> populations[2];
    std::unique_ptr<int16_t[]> scores;
};
CoreBlocks blocks; // released at exit

// The block, allocated when it is missing, with every cell zero.
template <typename T>
T* zeroed(std::unique_ptr<T[]>& block, int32_t count)
{
    if (!block)
        block = std::make_unique<T[]>(static_cast<size_t>(count)); // value-initialised: zero
    else
        std::fill_n(block.get(), count, T{});
    return block.get();
}

} // namespace

void allocate_core_tables()
{
    current_board = zeroed(blocks.boards[0], board_cells);
    spare_board = zeroed(blocks.boards[1], board_cells);
    legal_move_map = zeroed(blocks.legal_moves, board_cells);
    activations = zeroed(blocks.activations, activation_floats);
    current_population = zeroed(blocks.populations[0], population_floats);
    next_population = zeroed(blocks.populations[1], population_floats);
    score_table = zeroed(blocks.scores, networks_bound);
}

void release_current_population()
{
    for (std::unique_ptr<float[]>& block : blocks.populations) {
        if (block && block.get() == current_population)
            block.reset();
    }
    current_population = nullptr;
}

void release_core_tables()
{
    current_board = spare_board = legal_move_map = nullptr;
    activations = current_population = next_population = nullptr;
    score_table = nullptr;
    blocks = CoreBlocks{};
}
