#include "match.h"

#include "board.h"
#include "core_kernels.h"
#include "network.h"

int32_t choose_move(uint8_t side) { return active_kernels->choose_move(side); }

int32_t network_move(int32_t network, uint8_t side)
{
    encode_inputs(side);
    evaluate_network(network);
    return choose_move(side);
}

// The whole match runs on masks in the kernel set in use (core_kernels.h); the board,
// the legal-move map and the activation array end as the half-moves leave them.
void play_match(int32_t a, int32_t b) { active_kernels->play_match(a, b); }

MatchPoints score_match()
{
    const PieceCount count = count_pieces();
    const int32_t margin = count.white - count.black;
    if (margin > 0)
        return {margin >= 40 ? 4 : 3, 0};
    if (margin < 0)
        return {0, -margin >= 40 ? 4 : 3};
    return {1, 1};
}
