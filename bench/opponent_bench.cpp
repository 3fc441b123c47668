// The reference opponents' speed in the measured game: the hall of fame's network 1
// against one opponent under the field's protocol (random moves at probability 0.1),
// each game seeded as the strength tool seeds it, in this process. Items per second:
// games per second on one core.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "board.h"
#include "protocol_game.h"

namespace {

void opponent_games(benchmark::State& state, Opponent opponent, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, PopulationKind::hall_of_fame))
        return;
    const Player network{Player::Kind::network, 1};
    const Protocol protocol{0.1, 0};
    int32_t game = 0;
    for (auto _ : state) {
        seed_game(1, network, opponent, game);
        benchmark::DoNotOptimize(play_protocol_game(network, opponent, game % 2 == 0 ? white : black, protocol));
        ++game;
    }
    state.SetItemsProcessed(state.iterations());
}

#define OPPONENT_BENCHMARK(name, opponent)                                                                             \
    BENCHMARK_CAPTURE(opponent_games, name/baseline, opponent, Path::baseline)->Unit(benchmark::kMicrosecond);      \
    BENCHMARK_CAPTURE(opponent_games, name/avx2, opponent, Path::avx2)->Unit(benchmark::kMicrosecond)

OPPONENT_BENCHMARK(random, Opponent::random);
OPPONENT_BENCHMARK(greedy, Opponent::greedy);
OPPONENT_BENCHMARK(wpc, Opponent::wpc);
OPPONENT_BENCHMARK(wpc-ab2, Opponent::wpc_ab2);
OPPONENT_BENCHMARK(wpc-ab4, Opponent::wpc_ab4);
OPPONENT_BENCHMARK(mobility, Opponent::mobility);
OPPONENT_BENCHMARK(mobility-ab2, Opponent::mobility_ab2);
OPPONENT_BENCHMARK(mobility-ab4, Opponent::mobility_ab4);
OPPONENT_BENCHMARK(novice, Opponent::novice);
OPPONENT_BENCHMARK(table-7, table_opponent(7, 1));
OPPONENT_BENCHMARK(table-7-ab2, table_opponent(7, 2));

} // namespace
