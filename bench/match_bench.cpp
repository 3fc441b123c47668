// The trainer's work: one network match, one generation, one hall-of-fame tournament.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "board.h"
#include "generations.h"
#include "hall_of_fame.h"
#include "match.h"
#include "plain_rules.h"
#include "random.h"
#include "tables.h"
#include "tournament.h"

namespace {

// reset_board + play_match + score_match, over all ordered pairs of the population.
void network_match(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    seed_random(4);
    int32_t pair = 0;
    for (auto _ : state) {
        const int32_t a = pair / networks + 1;
        const int32_t b = pair % networks + 1;
        pair = (pair + 1) % (networks * networks);
        reset_board();
        if (path == Path::plain)
            plain::play_match(a, b);
        else
            play_match(a, b);
        benchmark::DoNotOptimize(score_match());
    }
    state.SetItemsProcessed(state.iterations());
}

// The generation tournament of 90 matches alone.
void generation_tournament(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    seed_random(5);
    for (auto _ : state)
        play_tournament();
    state.SetItemsProcessed(state.iterations() * 90);
}

// One whole generation as the trainer's loop runs it (run_generation): tournament,
// report line, a champion's admission when there is one, the save every 200
// generations, breeding, mutation. The population evolves from one iteration to the
// next, as in the trainer, in a working folder of its own.
void generation(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    seed_random(6);
    const TrainingFolder folder;
    for (auto _ : state)
        run_generation();
    state.SetItemsProcessed(state.iterations());
}

// The tournament of a champion's admission: every pair of the 36 stored networks once.
void hall_of_fame_tournament(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    seed_random(7);
    for (auto _ : state)
        play_all_pairs();
    state.SetItemsProcessed(state.iterations() * 630);
}

} // namespace

BENCHMARK_CAPTURE(network_match, random/plain, PopulationKind::random, Path::plain);
BENCHMARK_CAPTURE(network_match, random/baseline, PopulationKind::random, Path::baseline);
BENCHMARK_CAPTURE(network_match, random/avx2, PopulationKind::random, Path::avx2);
BENCHMARK_CAPTURE(network_match, random/portable, PopulationKind::random, Path::portable);
BENCHMARK_CAPTURE(network_match, bred/plain, PopulationKind::bred, Path::plain);
BENCHMARK_CAPTURE(network_match, bred/baseline, PopulationKind::bred, Path::baseline);
BENCHMARK_CAPTURE(network_match, bred/avx2, PopulationKind::bred, Path::avx2);
BENCHMARK_CAPTURE(network_match, hall_of_fame/plain, PopulationKind::hall_of_fame, Path::plain);
BENCHMARK_CAPTURE(network_match, hall_of_fame/baseline, PopulationKind::hall_of_fame, Path::baseline);
BENCHMARK_CAPTURE(network_match, hall_of_fame/avx2, PopulationKind::hall_of_fame, Path::avx2);
BENCHMARK_CAPTURE(generation_tournament, random/baseline, PopulationKind::random, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation_tournament, random/avx2, PopulationKind::random, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation_tournament, bred/avx2, PopulationKind::bred, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation, random/baseline, PopulationKind::random, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation, random/avx2, PopulationKind::random, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hall_of_fame_tournament, random/baseline, PopulationKind::random, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hall_of_fame_tournament, random/avx2, PopulationKind::random, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hall_of_fame_tournament, bred/avx2, PopulationKind::bred, Path::avx2)->Unit(benchmark::kMillisecond);
