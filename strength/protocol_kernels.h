// The kernel sets of the measured game: one per instruction set, like the core's, and
// the one in use follows the core's choice (core_kernels.h).
#pragma once
#include <cstdint>

#include "protocol_game.h"

// Who makes one side's own moves in a measured game.
struct Mover {
    enum class Kind : int32_t { network, level, random, greedy, wpc, wpc_ab2, wpc_ab4 } kind;
    int32_t number; // the network (1..36) or the level (1..36); 0 for the reference opponents
};

struct ProtocolKernels {
    // The game from the opening position, the player holding `player_colour`; the
    // current board ends in the final position.
    Outcome (*play_game)(const Mover& player, const Mover& rival, uint8_t player_colour, const Protocol& protocol);
    // On the current board, as opponents.h tells them.
    int32_t (*wpc_best_squares)(uint8_t side, int32_t plies, int32_t (&squares)[64]);
    int32_t (*wpc_search_value)(uint8_t side, int32_t plies);
    int32_t (*wpc_value)(uint8_t side);
};

// The set that matches the core's kernel set in use.
const ProtocolKernels& protocol_kernels();
