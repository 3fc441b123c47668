#include "random_weights.h"

#include "random.h"
#include "shape.h"

float random_weight() { return static_cast<float>(draw_random() - 16384) / 16384.0f; }

void fill_with_random_weights(float* population)
{
    for (int32_t e = 1; e < population_floats; ++e)
        population[e] = random_weight();
}
