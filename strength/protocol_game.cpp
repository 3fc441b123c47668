#include "protocol_game.h"

#include "protocol_kernels.h"
#include "random.h"
#include "tool_random.h"

namespace {

constexpr uint64_t network_player_code = 1000; // network k is 1000 + k; level L is L

Mover mover_of(const Player& player)
{
    return {player.kind == Player::Kind::network ? Mover::Kind::network : Mover::Kind::level, player.number, {}};
}

} // namespace

void seed_game(uint64_t seed, const Player& player, Opponent opponent, int32_t game)
{
    const uint64_t player_code = player.kind == Player::Kind::network
                                     ? network_player_code + static_cast<uint64_t>(player.number)
                                     : static_cast<uint64_t>(player.number);
    uint64_t game_seed = mix_seed(seed, player_code);
    game_seed = mix_seed(game_seed, static_cast<uint64_t>(opponent));
    seed_game(mix_seed(game_seed, static_cast<uint64_t>(game)));
}

void seed_game(uint64_t game_seed)
{
    seed_tool_random(game_seed);
    seed_random(static_cast<uint32_t>(draw_tool_bits() >> 32));
}

Outcome play_protocol_game(const Player& player, Opponent opponent, uint8_t player_colour,
                           const Protocol& protocol)
{
    return protocol_kernels().play_game(mover_of(player), mover_of(opponent), player_colour, protocol);
}

Outcome play_protocol_game(const Player& player, int32_t rival, uint8_t player_colour, const Protocol& protocol)
{
    return protocol_kernels().play_game(mover_of(player), {Mover::Kind::network, rival, {}}, player_colour, protocol);
}
