#include "players.h"

#include "all_play_all.h"
#include "match.h"
#include "tournament_choice.h"

int32_t player_move(const Player& player, uint8_t side)
{
    return player.kind == Player::Kind::network ? network_move(player.number, side)
                                                : level_move(player.number, side);
}

// As the game makes its move (before a ranking): networks 1..L play every ordered
// pairing from the opening on the spare board, only the colour-1 network credited,
// and the first network with the highest score chooses the move on the live position.
int32_t level_move(int32_t level, uint8_t side)
{
    return tournament_choice(side, [level] { play_ordered_pairs(level, false); });
}
