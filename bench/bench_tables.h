// The programs' tables for the benchmarks, and the populations and positions they use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core_kernels.h"
#include "shape.h"

namespace benchmark {
class State;
}

struct Position {
    uint8_t cells[board_cells];
    uint8_t side; // the colour to move; it has at least one legal move
};

enum class PopulationKind { random, bred, hall_of_fame };
inline constexpr int32_t bred_generations = 300;

// Which code plays: the plain rules and pass kept for the tests, or a kernel set.
enum class Path { plain, baseline, avx2, portable };
// Makes the kernel set of the path (baseline for the plain path, which does not use
// one) the one in use; skips the benchmark and returns false when the processor
// cannot run it.
bool use_path(benchmark::State& state, Path path);

// Allocates the core's and the trainer's tables (once), and sends the trainer's
// console lines nowhere.
void allocate_bench_tables();
// The current population: networks as make_population writes them (seed 1), the same
// after bred_generations generations of the trainer, or the game's default hall of
// fame (game/data/meillfl.don). False, and the benchmark skipped, when that file is
// missing.
bool use_population(benchmark::State& state, PopulationKind kind);
// Positions after 20 to 40 moves of the current population's matches.
std::vector<Position> mid_game_positions(size_t count);
// Puts a position on the current board.
void put_position(const Position& position);

// A temporary working folder where the trainer's generations can run: it holds the
// current population as the population file and a new hall of fame made from it, and
// goes away with everything in it.
struct TrainingFolder {
    TrainingFolder();
    ~TrainingFolder();
    std::filesystem::path path;
    std::filesystem::path previous;
};
