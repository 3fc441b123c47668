// The programs' tables for the benchmarks, and the populations and positions they use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shape.h"

struct Position {
    uint8_t cells[board_cells];
    uint8_t side; // the colour to move; it has at least one legal move
};

enum class PopulationKind { random, bred };
inline constexpr int32_t bred_generations = 300;

// Points the core's and the trainer's tables at storage of their own (once), and
// sends the trainer's console lines nowhere.
void allocate_bench_tables();
// The current population: networks as make_population writes them (seed 1), or the
// same bred by the trainer's tournament, breeding and mutation for bred_generations.
void use_population(PopulationKind kind);
const char* population_name(PopulationKind kind);
// Positions after 20 to 40 moves of the current population's matches.
std::vector<Position> mid_game_positions(size_t count);
// Puts a position on the current board.
void put_position(const Position& position);
