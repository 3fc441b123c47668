#include "start.h"

#include <cmath>
#include <vector>

#include "image_file.h"
#include "opponents.h"
#include "population_slots.h"
#include "random.h"
#include "random_weights.h"
#include "shape.h"

std::string read_start(const char* name, int32_t k, Weights& start)
{
    std::vector<float> population(population_floats);
    const FileResult read = read_image(name, population.data(), Access::read_only);
    if (read.status == FileStatus::cannot_open || read.status == FileStatus::read_failed)
        return std::string(name) + " cannot be read";
    if (read.status == FileStatus::incomplete)
        return std::string(name) + " is too short for 36 networks: " + std::to_string(read.bytes) + " bytes instead of " +
               std::to_string(population_bytes);
    for (int32_t n = 1; n <= networks; ++n)
        for (int32_t w = 1; w <= connections; ++w)
            if (!std::isfinite(population[static_cast<size_t>(network_base(n) + w)]))
                return std::string(name) + ": network " + std::to_string(n) + " holds a weight that is not a number";
    const float* first = weights_in(population.data(), k);
    start.assign(first, first + connections);
    return "";
}

Weights random_start(uint64_t seed)
{
    seed_random(static_cast<uint32_t>(seed));
    Weights start(connections);
    for (float& x : start)
        x = random_weight();
    return start;
}


Weights wpc_start()
{
    Weights start(connections, 0.0f);
    constexpr int32_t first_hidden1 = 1, first_hidden2 = 1;
    for (int32_t i = 1; i < inputs; ++i) // the board inputs; the side input is not heard
        start[static_cast<size_t>(hidden1_units * (i - 1) + first_hidden1 - 1)] = 1.0f;
    start[static_cast<size_t>(hidden2_block + hidden2_units * (first_hidden1 - 1) + first_hidden2 - 1)] = 1.0f;
    for (int32_t s = 1; s <= outputs; ++s)
        start[static_cast<size_t>(output_block + outputs * (first_hidden2 - 1) + s - 1)] =
            static_cast<float>(wpc_weight(s) / 100.0 + s * 1e-4);
    return start;
}
