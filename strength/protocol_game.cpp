#include "protocol_game.h"

#include "board.h"
#include "opponents.h"
#include "random.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr uint64_t network_player_code = 1000; // network k is 1000 + k; level L is L

} // namespace

void seed_game(uint64_t seed, const Player& player, Opponent opponent, int32_t game)
{
    const uint64_t player_code = player.kind == Player::Kind::network
                                     ? network_player_code + static_cast<uint64_t>(player.number)
                                     : static_cast<uint64_t>(player.number);
    uint64_t game_seed = mix_seed(seed, player_code);
    game_seed = mix_seed(game_seed, static_cast<uint64_t>(opponent));
    game_seed = mix_seed(game_seed, static_cast<uint64_t>(game));
    seed_tool_random(game_seed);
    seed_random(static_cast<uint32_t>(draw_tool_bits() >> 32));
}

Outcome play_protocol_game(const Player& player, Opponent opponent, uint8_t player_colour,
                           const Protocol& protocol)
{
    reset_board();
    uint8_t side = white;
    int32_t moves_played = 0;
    for (int32_t passes = 0; passes < 2; side = other_colour(side)) {
        int32_t square = 0;
        if (can_move(side)) {
            if (moves_played < protocol.opening_moves || draw_tool_unit() < protocol.epsilon)
                square = opponent_move(Opponent::random, side);
            else if (side == player_colour)
                square = player_move(player, side);
            else
                square = opponent_move(opponent, side);
        }
        if (square == 0) {
            ++passes;
            continue;
        }
        play_move(square, side);
        ++moves_played;
        passes = 0;
    }
    const PieceCount count = count_pieces();
    const int32_t own = player_colour == white ? count.white : count.black;
    const int32_t theirs = player_colour == white ? count.black : count.white;
    return own > theirs ? Outcome::win : own == theirs ? Outcome::draw : Outcome::loss;
}
