// The game's tournaments: the level-36 computer move and the ranking, through the
// functions that the game calls (tournament_choice.h, ranking_order.h). Only the
// status line that the game shows after every game is left out.
#include <benchmark/benchmark.h>

#include "all_play_all.h"
#include "bench_tables.h"
#include "board.h"
#include "random.h"
#include "ranking_order.h"
#include "tables.h"
#include "tournament_choice.h"

namespace {

// The computer's move at level 36 on a live mid-game position: the thinking
// tournament of 1260 games on the spare board, then the best network's move.
void computer_move_level_36(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    const Position live = mid_game_positions(1)[0];
    seed_random(8);
    for (auto _ : state) {
        put_position(live);
        const int32_t square = tournament_choice(live.side, [] { play_ordered_pairs(networks, false); });
        play_move(square, live.side);
    }
    state.SetItemsProcessed(state.iterations() * 1260);
}

// The ranking: 1260 games crediting both sides, then the networks copied into the
// next population best first and the two populations exchanged.
void ranking(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    seed_random(9);
    for (auto _ : state)
        rank_by_tournament([] { play_ordered_pairs(networks, true); });
    state.SetItemsProcessed(state.iterations() * 1260);
}

} // namespace

BENCHMARK_CAPTURE(computer_move_level_36, random/baseline, PopulationKind::random, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(computer_move_level_36, random/avx2, PopulationKind::random, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(computer_move_level_36, bred/baseline, PopulationKind::bred, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(computer_move_level_36, bred/avx2, PopulationKind::bred, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(computer_move_level_36, hall_of_fame/baseline, PopulationKind::hall_of_fame, Path::baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(computer_move_level_36, hall_of_fame/avx2, PopulationKind::hall_of_fame, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ranking, hall_of_fame/avx2, PopulationKind::hall_of_fame, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ranking, random/avx2, PopulationKind::random, Path::avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ranking, bred/avx2, PopulationKind::bred, Path::avx2)->Unit(benchmark::kMillisecond);
