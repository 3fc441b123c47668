// The building blocks of a match on mid-game positions: one forward pass, the
// legal-move map, playing a move.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "board.h"
#include "network.h"
#include "tables.h"

namespace {

constexpr size_t position_count = 512;

// encode_inputs + evaluate_network, the networks taking turns.
void forward_pass(benchmark::State& state, PopulationKind kind)
{
    use_population(kind);
    const std::vector<Position> positions = mid_game_positions(position_count);
    size_t i = 0;
    for (auto _ : state) {
        const Position& p = positions[i % position_count];
        put_position(p);
        encode_inputs(p.side);
        evaluate_network(static_cast<int32_t>(i % networks) + 1);
        benchmark::DoNotOptimize(activations[output_of(1)]);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

void legal_moves(benchmark::State& state)
{
    use_population(PopulationKind::random);
    const std::vector<Position> positions = mid_game_positions(position_count);
    size_t i = 0;
    for (auto _ : state) {
        const Position& p = positions[i++ % position_count];
        put_position(p);
        find_legal_moves(p.side);
        benchmark::DoNotOptimize(legal_move_map[1]);
    }
    state.SetItemsProcessed(state.iterations());
}

// Each iteration puts the position back (a copy of 65 bytes) and plays a legal move.
void move(benchmark::State& state)
{
    use_population(PopulationKind::random);
    const std::vector<Position> positions = mid_game_positions(position_count);
    std::vector<int32_t> squares;
    for (const Position& p : positions) {
        put_position(p);
        find_legal_moves(p.side);
        int32_t s = 64;
        while (legal_move_map[s] != 1)
            --s;
        squares.push_back(s);
    }
    size_t i = 0;
    for (auto _ : state) {
        const size_t n = i++ % position_count;
        put_position(positions[n]);
        play_move(squares[n], positions[n].side);
        benchmark::DoNotOptimize(current_board[1]);
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(forward_pass, random, PopulationKind::random);
BENCHMARK_CAPTURE(forward_pass, bred, PopulationKind::bred);
BENCHMARK(legal_moves);
BENCHMARK(move);
