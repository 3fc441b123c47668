#include "tournament.h"

#include <algorithm>

#include "all_play_all.h"
#include "random.h"
#include "shape.h"
#include "tables.h"

void play_tournament()
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    for (int32_t g = 1; g <= networks / group_size; ++g) {
        const int32_t last = group_size * g;
        for (int32_t a = last - group_size + 1; a < last; ++a)
            for (int32_t b = a + 1; b <= last; ++b)
                play_pair(a, b);
    }
}

void play_pair(int32_t a, int32_t b)
{
    // A draw below one half lets the second-named network move first.
    const bool b_first = draw_random() < random_range / 2;
    tournament_game(b_first ? b : a, b_first ? a : b, true);
}
