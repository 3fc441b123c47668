#include "players.h"

#include <memory>

#include "all_play_all.h"
#include "match.h"
#include "network.h"
#include "shape.h"
#include "tables.h"
#include "tournament_choice.h"

namespace {
std::unique_ptr<uint8_t[]> spare_board_block;
std::unique_ptr<int16_t[]> score_block;
} // namespace

void allocate_player_tables()
{
    spare_board_block = std::make_unique<uint8_t[]>(board_cells);
    score_block = std::make_unique<int16_t[]>(networks_bound);
    spare_board = spare_board_block.get();
    score_table = score_block.get();
}

int32_t player_move(const Player& player, uint8_t side)
{
    return player.kind == Player::Kind::network ? network_move(player.number, side)
                                                : level_move(player.number, side);
}

int32_t network_move(int32_t k, uint8_t side)
{
    encode_inputs(side);
    evaluate_network(k);
    return choose_move(side);
}

// As the game makes its move (before a ranking): networks 1..L play every ordered
// pairing from the opening on the spare board, only the colour-1 network credited,
// and the first network with the highest score chooses the move on the live position.
int32_t level_move(int32_t level, uint8_t side)
{
    return tournament_choice(side, [level] { play_ordered_pairs(level, false); });
}
