// The kernel sets of the measured game: one per instruction set, like the core's, and
// the one in use follows the core's choice (core_kernels.h).
#pragma once
#include <array>
#include <cstdint>

#include "protocol_game.h"

// A table of square values (square_tables.h) as the searches use it: the value of each
// class of squares, the classes from the highest value to the lowest (equal values in
// the order of the classes), and the value of square s at s - 1.
constexpr int32_t square_classes = 10;
struct SquareTable {
    int32_t values[square_classes];
    int32_t order[square_classes];
    int32_t by_square[64];
};
SquareTable square_table(const std::array<int32_t, square_classes>& values);

// Who makes one side's own moves in a measured game.
struct Mover {
    enum class Kind : int32_t { network, level, random, greedy, squares, mobility } kind;
    // The network (1..36) or the level (1..36); the plies of an opponent that searches
    // (squares, mobility: 1 values the position after each move).
    int32_t number;
    // squares: the table it values positions by; mobility: the WPC table, whose order
    // of squares its search tries first.
    SquareTable table;
};

// The mover of a reference opponent, made once and kept (for a few dozen at a time).
const Mover& mover_of(Opponent opponent);

struct ProtocolKernels {
    // The game from the opening position, the player holding `player_colour`; the
    // current board ends in the final position.
    Outcome (*play_game)(const Mover& player, const Mover& rival, uint8_t player_colour, const Protocol& protocol);
    // On the current board, for a mover that searches, as opponents.h tells them.
    int32_t (*best_squares)(const Mover& mover, uint8_t side, int32_t (&squares)[64]);
    int32_t (*search_value)(const Mover& mover, uint8_t side);
    int32_t (*evaluation_value)(const Mover& mover, uint8_t side);
};

// The set that matches the core's kernel set in use.
const ProtocolKernels& protocol_kernels();
