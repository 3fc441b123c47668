// The trainer's work: one network match, one generation, one hall-of-fame tournament.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "board.h"
#include "breeding.h"
#include "console.h"
#include "generations.h"
#include "hall_of_fame.h"
#include "match.h"
#include "population_file.h"
#include "random.h"
#include "tables.h"
#include "tournament.h"
#include "trainer_tables.h"

namespace {

// reset_board + play_match + score_match, over all ordered pairs of the population.
void network_match(benchmark::State& state, PopulationKind kind)
{
    use_population(kind);
    seed_random(4);
    int32_t pair = 0;
    for (auto _ : state) {
        const int32_t a = pair / networks + 1;
        const int32_t b = pair % networks + 1;
        pair = (pair + 1) % (networks * networks);
        reset_board();
        play_match(a, b);
        benchmark::DoNotOptimize(score_match());
    }
    state.SetItemsProcessed(state.iterations());
}

// The generation tournament of 90 matches alone.
void generation_tournament(benchmark::State& state, PopulationKind kind)
{
    use_population(kind);
    seed_random(5);
    for (auto _ : state)
        play_tournament();
    state.SetItemsProcessed(state.iterations() * 90);
}

// One whole generation as the trainer's loop runs it when no champion is admitted:
// tournament, report line, breeding, mutation. The population evolves from one
// iteration to the next, as in the trainer.
void generation(benchmark::State& state, PopulationKind kind)
{
    use_population(kind);
    seed_random(6);
    for (auto _ : state) {
        generation_counter += 1.0f;
        console_print("Generation = %g / ", static_cast<double>(generation_counter));
        play_tournament();
        total_score = 0;
        int32_t best = 1;
        for (int32_t n = 1; n <= networks; ++n) {
            total_score += score_table[n];
            if (score_table[n] > score_table[best])
                best = n;
        }
        report_best(best);
        breed();
        mutate();
    }
    state.SetItemsProcessed(state.iterations());
}

// The tournament of a champion's admission: every pair of the 36 stored networks once.
void hall_of_fame_tournament(benchmark::State& state, PopulationKind kind)
{
    use_population(kind);
    seed_random(7);
    for (auto _ : state)
        play_all_pairs();
    state.SetItemsProcessed(state.iterations() * 630);
}

} // namespace

BENCHMARK_CAPTURE(network_match, random, PopulationKind::random);
BENCHMARK_CAPTURE(network_match, bred, PopulationKind::bred);
BENCHMARK_CAPTURE(generation_tournament, random, PopulationKind::random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation_tournament, bred, PopulationKind::bred)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generation, random, PopulationKind::random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hall_of_fame_tournament, random, PopulationKind::random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hall_of_fame_tournament, bred, PopulationKind::bred)->Unit(benchmark::kMillisecond);
