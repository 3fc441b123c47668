#include "breeding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "random.h"
#include "random_weights.h"
#include "shape.h"
#include "tables.h"
#include "trainer_tables.h"

static_assert(draw_scale == 3.0518509447574615e-05f);

int32_t half_down_round(double x)
{
    const double v = static_cast<float>(x);
    const double u = std::ceil(x);
    return static_cast<int32_t>(u - v < 0.5 ? u : std::trunc(v));
}

void breed()
{
    std::fill_n(roulette_table, networks_bound, 0);
    const float s = static_cast<float>(random_range - 1) / static_cast<float>(total_score);
    for (int32_t i = 1; i < networks; ++i)
        roulette_table[i] = roulette_table[i - 1] + half_down_round(score_table[i] * static_cast<double>(s));

    // Network j takes the draws up to its entry; network 36 whatever lies above entry 35.
    for (int32_t k = 1; k <= networks; ++k) {
        const int32_t r = draw_random();
        int32_t j = 1;
        while (j < networks && r > roulette_table[j])
            ++j;
        parent_list[k] = static_cast<int16_t>(j);
    }

    for (int32_t p = 1; p <= networks / 2; ++p)
        cross_over(pairing_table[2 * p - 1], pairing_table[2 * p], parent_list[2 * p - 1], parent_list[2 * p]);

    std::swap(current_population, next_population);
}

void cross_over(int32_t a, int32_t b, int32_t p, int32_t q)
{
    const int32_t r = draw_random();
    const auto cut = static_cast<int32_t>(std::ceil(connections * static_cast<double>(r) * draw_scale));
    const float* parent_p = current_population + network_base(p) + 1;
    const float* parent_q = current_population + network_base(q) + 1;
    float* child_a = next_population + network_base(a) + 1;
    float* child_b = next_population + network_base(b) + 1;
    const size_t head = sizeof(float) * static_cast<size_t>(cut);
    const size_t tail = sizeof(float) * static_cast<size_t>(connections - cut);
    std::memcpy(child_a, parent_p, head);
    std::memcpy(child_b, parent_q, head);
    std::memcpy(child_b + cut, parent_p + cut, tail);
    std::memcpy(child_a + cut, parent_q + cut, tail);
}

void mutate()
{
    for (int32_t k = 1; k <= networks; ++k) {
        if (draw_random() <= mutation_threshold)
            continue;
        float* network = current_population + network_base(k);
        for (int32_t m = 0; m < mutations_per_network; ++m) {
            // Position 0 would lie outside network k: the draws that give it land on weight 1.
            const int32_t position = std::max(1, half_down_round(connections * static_cast<double>(draw_random()) * draw_scale));
            network[position] = random_weight();
        }
    }
}
