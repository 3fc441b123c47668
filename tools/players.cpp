#include "players.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "board.h"
#include "match.h"
#include "network.h"
#include "shape.h"
#include "tables.h"

namespace {
std::unique_ptr<uint8_t[]> spare_board_block;
uint8_t* spare_board = nullptr;
int16_t score_table[networks_bound];
} // namespace

void allocate_player_tables()
{
    spare_board_block = std::make_unique<uint8_t[]>(board_cells);
    spare_board = spare_board_block.get();
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

// As the game makes its move: the score table cleared, the live position set aside
// by exchanging the boards, networks 1..L playing every ordered pairing from the
// opening with only the colour-1 network credited, the boards exchanged back, and
// the first network with the highest score choosing the move on the live position.
int32_t level_move(int32_t level, uint8_t side)
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    std::swap(current_board, spare_board);
    for (int32_t i = 1; i <= level; ++i)
        for (int32_t j = 1; j <= level; ++j) {
            if (j == i)
                continue;
            reset_board();
            play_match(i, j);
            score_table[i] = static_cast<int16_t>(score_table[i] + score_match().colour1);
        }
    std::swap(current_board, spare_board);
    int32_t best = 1;
    for (int32_t n = 2; n <= networks; ++n)
        if (score_table[n] > score_table[best])
            best = n;
    return network_move(best, side);
}
