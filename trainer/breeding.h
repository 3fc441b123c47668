// The genetic operators: roulette selection, single-point crossover, mutation.
#pragma once
#include <cstdint>

// 1/32767 in single precision: the scale of the cut point and of the mutation position.
constexpr float draw_scale = 1.0f / 32767.0f;

constexpr int32_t mutation_threshold = 25000; // a draw above it mutates the network
constexpr int32_t mutations_per_network = 30;

// Nearest integer of a non-negative x, where a value that is a half in single
// precision goes down.
int32_t half_down_round(double x);

// Roulette selection over the score table, crossover into the next population,
// and exchange of the two population buffers.
void breed();
// Children A (P's head, Q's tail) and B (Q's head, P's tail) in the next population.
void cross_over(int32_t a, int32_t b, int32_t p, int32_t q);
// Overwrites 30 random weights of each network that a draw selects.
void mutate();
