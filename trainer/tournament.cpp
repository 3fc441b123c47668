#include "tournament.h"

#include <algorithm>

#include "board.h"
#include "match.h"
#include "random.h"
#include "shape.h"
#include "trainer_tables.h"

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
    reset_board();
    // A draw below one half lets the second-named network move first.
    const bool b_first = draw_random() < random_range / 2;
    const int32_t colour1 = b_first ? b : a;
    const int32_t colour2 = b_first ? a : b;
    play_match(colour1, colour2);
    const MatchPoints points = score_match();
    score_table[colour1] = static_cast<int16_t>(score_table[colour1] + points.colour1);
    score_table[colour2] = static_cast<int16_t>(score_table[colour2] + points.colour2);
}
