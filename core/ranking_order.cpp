#include "ranking_order.h"

#include <algorithm>
#include <utility>

#include "all_play_all.h"
#include "shape.h"
#include "tables.h"

namespace {
constexpr int16_t taken = -10; // below every tournament score
}

int32_t take_best_remaining()
{
    const int32_t best = best_network();
    score_table[best] = taken;
    return best;
}

void copy_network(int32_t n, int32_t p)
{
    std::copy_n(current_population + network_base(n) + 1, connections, next_population + network_base(p) + 1);
}

void swap_populations() { std::swap(current_population, next_population); }

void order_by_scores()
{
    for (int32_t p = 1; p <= networks; ++p)
        copy_network(take_best_remaining(), p);
    swap_populations();
}
