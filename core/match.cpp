#include "match.h"

#include <algorithm>
#include <limits>

#include "board.h"
#include "network.h"
#include "random.h"
#include "tables.h"

int32_t choose_move(uint8_t side)
{
    std::fill_n(legal_move_map, 65, uint8_t{0});
    find_legal_moves(side);

    const uint8_t* map = legal_move_map;
    const float* a = activations;
    uint8_t tie_list[tie_list_size];
    int32_t ties = 0;
    float best = std::numeric_limits<float>::lowest();
    for (int32_t s = 1; s <= 64; ++s) {
        const float v = a[output_of(s)];
        if (best > v || map[s] != 1)
            continue;
        if (v != best) {
            best = v;
            ties = 0;
        }
        tie_list[ties++] = static_cast<uint8_t>(s);
    }
    if (ties == 0)
        return 0;
    if (ties == 1)
        return tie_list[0];
    // Every tied square gets an equal share of the 32768 draws, to within one.
    const int32_t r = draw_random();
    const int32_t k = ((r + 1) * ties + (random_range - 1)) / random_range;
    return tie_list[k - 1];
}

void play_match(int32_t a, int32_t b)
{
    int32_t moves = 0;
    for (;;) {
        encode_inputs(white);
        evaluate_network(a);
        const int32_t s1 = choose_move(white);
        if (s1 != 0) {
            play_move(s1, white);
            ++moves;
        }
        encode_inputs(black);
        evaluate_network(b);
        const int32_t s2 = choose_move(black);
        if (s2 != 0) {
            play_move(s2, black);
            ++moves;
        }
        if ((s1 == 0 && s2 == 0) || moves == 60)
            return;
    }
}

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
