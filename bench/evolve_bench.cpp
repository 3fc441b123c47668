// One fitness evaluation of the evolution program, through the function that it calls
// (fitness.h): a stored network's games against one reference opponent, with random
// moves at probability 0.1, in this process. Items per second: games per second on one
// core.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "fitness.h"
#include "shape.h"
#include "tables.h"

namespace {

void fitness_evaluation(benchmark::State& state, Opponent opponent, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, PopulationKind::hall_of_fame))
        return;
    Settings settings;
    settings.panel = {{false, opponent}};
    settings.games = 1000;
    const Weights network(current_population + network_base(1) + 1, current_population + network_base(2) + 1);
    const std::vector<const Weights*> candidates{&network};
    std::vector<std::vector<Tally>> tallies;
    int32_t generation = 0;
    for (auto _ : state)
        evaluate(settings, ++generation, candidates, {}, 1, tallies, [](int64_t) { return true; });
    state.SetItemsProcessed(state.iterations() * settings.games);
}

} // namespace

BENCHMARK_CAPTURE(fitness_evaluation, wpc/baseline, Opponent::wpc, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fitness_evaluation, wpc/avx2, Opponent::wpc, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fitness_evaluation, wpc-ab2/baseline, Opponent::wpc_ab2, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fitness_evaluation, wpc-ab2/avx2, Opponent::wpc_ab2, Path::avx2)->Unit(benchmark::kMillisecond);
