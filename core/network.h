// A network's view of the board and its forward pass through the threshold units.
#pragma once
#include <cstdint>

// Activation elements: inputs 1..129, hidden-1 130..149, hidden-2 150..169,
// outputs 170..233 (square s at output_of(s)).
constexpr int32_t side_input = 129;
constexpr int32_t output_of(int32_t square) { return 169 + square; }

// Writes inputs 1..129 from the current board as seen by `side`, and clears 130..233.
void encode_inputs(uint8_t side);

// Forward pass of network k (1..36) of the current population, onto the cleared
// hidden units and outputs. Only units that are on send their weights.
void evaluate_network(int32_t k);
