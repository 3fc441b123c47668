#include "all_play_all.h"

#include "board.h"
#include "match.h"

void tournament_game(int32_t i, int32_t j, bool credit_both)
{
    reset_board();
    play_match(i, j);
    const MatchPoints points = score_match();
    score_table[i] = static_cast<int16_t>(score_table[i] + points.colour1);
    if (credit_both)
        score_table[j] = static_cast<int16_t>(score_table[j] + points.colour2);
}

int32_t best_network()
{
    int32_t best = 1;
    for (int32_t n = 2; n <= networks; ++n) {
        if (score_table[n] > score_table[best])
            best = n;
    }
    return best;
}
