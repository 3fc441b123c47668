// The game's tournaments: the level-36 computer move and the ranking.
//
// The game's own functions cannot be linked without its window layer, so these play
// the same games through the core the same way: tournament_game is reset_board,
// play_match and score_match for every ordered pair of networks 1..36, with colour
// 1's points (or both sides', in the ranking) added to the score table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>

#include "bench_tables.h"
#include "board.h"
#include "match.h"
#include "network.h"
#include "random.h"
#include "tables.h"
#include "trainer_tables.h"

namespace {

void all_ordered_pairs(bool credit_both)
{
    for (int32_t i = 1; i <= networks; ++i)
        for (int32_t j = 1; j <= networks; ++j) {
            if (j == i)
                continue;
            reset_board();
            play_match(i, j);
            const MatchPoints points = score_match();
            score_table[i] = static_cast<int16_t>(score_table[i] + points.colour1);
            if (credit_both)
                score_table[j] = static_cast<int16_t>(score_table[j] + points.colour2);
        }
}

int32_t first_best_network()
{
    int32_t best = 1;
    for (int32_t n = 2; n <= networks; ++n)
        if (score_table[n] > score_table[best])
            best = n;
    return best;
}

// The computer's move at level 36 on a live mid-game position: the thinking
// tournament of 1260 games on the other board block, then the best network's move.
void computer_move_level_36(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    const Position live = mid_game_positions(1)[0];
    uint8_t other_block[board_cells] = {};
    uint8_t* spare_board = other_block;
    seed_random(8);
    for (auto _ : state) {
        put_position(live);
        std::fill_n(score_table, networks_bound, int16_t{0});
        std::swap(current_board, spare_board);
        all_ordered_pairs(false);
        std::swap(current_board, spare_board);
        encode_inputs(live.side);
        evaluate_network(first_best_network());
        play_move(choose_move(live.side), live.side);
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
    for (auto _ : state) {
        std::fill_n(score_table, networks_bound, int16_t{0});
        all_ordered_pairs(true);
        for (int32_t p = 1; p <= networks; ++p) {
            const int32_t n = first_best_network();
            score_table[n] = -10;
            std::copy_n(current_population + network_base(n) + 1, connections,
                        next_population + network_base(p) + 1);
        }
        std::swap(current_population, next_population);
    }
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
