#include "bench_tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "board.h"
#include "console.h"
#include "generations.h"
#include "hall_of_fame_file.h"
#include "image_file.h"
#include "match.h"
#include "population_file.h"
#include "random.h"
#include "random_weights.h"
#include "tables.h"

namespace {

bool tables_allocated = false;

std::vector<float> random_weights()
{
    std::vector<float> population(population_floats, 0.0f);
    seed_random(1);
    fill_with_random_weights(population.data());
    return population;
}

std::vector<float> bred_weights()
{
    std::copy_n(random_weights().data(), population_floats, current_population);
    seed_random(2);
    const TrainingFolder folder;
    for (int32_t g = 0; g < bred_generations; ++g)
        run_generation();
    return {current_population, current_population + population_floats};
}

std::vector<float> stored_weights()
{
    std::vector<float> population(population_floats, 0.0f);
    if (read_image(ELVARIN_DEFAULT_HALL_OF_FAME, population.data(), Access::read_only).status != FileStatus::done)
        return {};
    return population;
}

} // namespace

bool use_path(benchmark::State& state, Path path)
{
    const KernelSet set = path == Path::avx2       ? KernelSet::avx2
                          : path == Path::portable ? KernelSet::portable
                                                   : KernelSet::baseline;
    if (!kernel_set_available(set)) {
        state.SkipWithError("this processor cannot run the kernel set");
        return false;
    }
    use_kernel_set(set);
    return true;
}

void allocate_bench_tables()
{
    if (tables_allocated)
        return;
    tables_allocated = true;
    allocate_core_tables();
    allocate_breeding_tables();
    static std::FILE* nowhere = std::fopen("/dev/null", "w");
    console_set_stream(nowhere);
}

bool use_population(benchmark::State& state, PopulationKind kind)
{
    allocate_bench_tables();
    static const std::vector<float> random = random_weights();
    if (kind == PopulationKind::random) {
        std::copy(random.begin(), random.end(), current_population);
        return true;
    }
    if (kind == PopulationKind::bred) {
        static const std::vector<float> bred = bred_weights();
        std::copy(bred.begin(), bred.end(), current_population);
        return true;
    }
    static const std::vector<float> stored = stored_weights();
    if (stored.empty()) {
        state.SkipWithError("no complete game/data/meillfl.don");
        return false;
    }
    std::copy(stored.begin(), stored.end(), current_population);
    return true;
}

std::vector<Position> mid_game_positions(size_t count)
{
    std::vector<Position> positions;
    seed_random(3);
    for (int32_t game = 0; positions.size() < count; ++game) {
        const int32_t a = game % networks + 1;
        const int32_t b = (game * 7 + 3) % networks + 1;
        reset_board();
        int32_t moves = 0;
        for (int32_t turn = 0; turn < 200 && moves < 60; ++turn) {
            const uint8_t side = turn % 2 == 0 ? white : black;
            const int32_t square = network_move(side == white ? a : b, side);
            if (square == 0)
                continue;
            if (moves >= 20 && moves <= 40 && positions.size() < count) {
                Position p{};
                std::copy_n(current_board, board_cells, p.cells);
                p.side = side;
                positions.push_back(p);
            }
            play_move(square, side);
            ++moves;
        }
    }
    return positions;
}

void put_position(const Position& position) { std::copy_n(position.cells, board_cells, current_board); }

TrainingFolder::TrainingFolder()
{
    previous = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "elvarin-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path = pattern;
    std::filesystem::current_path(path);
    generation_counter = 0.0f;
    save_population();
    open_hall_of_fame();
}

TrainingFolder::~TrainingFolder()
{
    finish_population_save();
    close_hall_of_fame();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(path);
}
