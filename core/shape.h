// The fixed shape of every network and the sizes derived from it.
#pragma once
#include <cstdint>

constexpr int32_t networks = 36;
constexpr int32_t networks_bound = networks + 1; // bound of the 1-based tables of networks
constexpr int32_t inputs = 129;
constexpr int32_t hidden1_units = 20;
constexpr int32_t hidden2_units = 20;
constexpr int32_t outputs = 64;

constexpr int32_t hidden1_end = inputs + hidden1_units;                  // 149
constexpr int32_t hidden2_end = inputs + hidden1_units + hidden2_units;  // 169
constexpr int32_t neurons = hidden2_end + outputs;                       // 233
constexpr int32_t connections = hidden1_units * inputs + hidden2_units * (hidden1_units + outputs); // 4260
constexpr int32_t network_bytes = 4 * connections;                       // 17040
constexpr int32_t hidden2_block = hidden1_units * inputs;                // 2580
constexpr int32_t output_block = hidden1_units * (hidden2_units + inputs); // 2980
constexpr int32_t activation_bytes = 4 * neurons + 4;                    // 936
constexpr int32_t population_bytes = 4 * connections * networks + 4;     // 613444

constexpr int32_t population_floats = connections * networks + 1;        // 153361
constexpr int32_t activation_floats = neurons + 1;                       // 234
constexpr int32_t board_cells = 65;                                      // cell 0 + squares 1..64

// First population element of network k (1..36); its weight w (1..4260) is element base + w.
constexpr int32_t network_base(int32_t k) { return connections * (k - 1); }

static_assert(neurons == 233 && connections == 4260 && population_bytes == 613444);
