// The networks of a population image (population_floats elements: the header, then the
// 36 networks' weights), slot by slot.
#pragma once
#include <algorithm>
#include <cstdint>

#include "shape.h"

// The 4260 weights of network k (1..36).
inline float* weights_in(float* population, int32_t k) { return population + network_base(k) + 1; }
inline const float* weights_in(const float* population, int32_t k) { return population + network_base(k) + 1; }

// Copies a network's 4260 weights into slot k.
inline void put_network(float* population, int32_t k, const float* weights)
{
    std::copy_n(weights, connections, weights_in(population, k));
}
