// The building blocks of a match on mid-game positions: one forward pass, the
// legal-move map, playing a move; each by the plain code and by every kernel set.
#include <benchmark/benchmark.h>

#include "bench_tables.h"
#include "board.h"
#include "network.h"
#include "plain_rules.h"
#include "tables.h"

namespace {

constexpr size_t position_count = 512;

// encode_inputs + evaluate_network, the networks taking turns. Each iteration also
// puts the position on the board (a copy of 65 bytes).
void forward_pass(benchmark::State& state, PopulationKind kind, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, kind))
        return;
    const std::vector<Position> positions = mid_game_positions(position_count);
    size_t i = 0;
    for (auto _ : state) {
        const Position& p = positions[i % position_count];
        const auto k = static_cast<int32_t>(i % networks) + 1;
        put_position(p);
        if (path == Path::plain) {
            plain::encode_inputs(p.side);
            plain::evaluate_network(k);
        } else {
            encode_inputs(p.side);
            evaluate_network(k);
        }
        benchmark::DoNotOptimize(activations[output_of(1)]);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

// Each iteration also puts the position on the board.
void legal_moves(benchmark::State& state, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, PopulationKind::random))
        return;
    const std::vector<Position> positions = mid_game_positions(position_count);
    size_t i = 0;
    for (auto _ : state) {
        const Position& p = positions[i++ % position_count];
        put_position(p);
        if (path == Path::plain)
            plain::find_legal_moves(p.side);
        else
            find_legal_moves(p.side);
        benchmark::DoNotOptimize(legal_move_map[1]);
    }
    state.SetItemsProcessed(state.iterations());
}

// Each iteration puts the position back and plays its last legal square.
void move(benchmark::State& state, Path path)
{
    if (!use_path(state, path))
        return;
    if (!use_population(state, PopulationKind::random))
        return;
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
        if (path == Path::plain)
            plain::play_move(squares[n], positions[n].side);
        else
            play_move(squares[n], positions[n].side);
        benchmark::DoNotOptimize(current_board[1]);
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(forward_pass, random/plain, PopulationKind::random, Path::plain);
BENCHMARK_CAPTURE(forward_pass, random/baseline, PopulationKind::random, Path::baseline);
BENCHMARK_CAPTURE(forward_pass, random/avx2, PopulationKind::random, Path::avx2);
BENCHMARK_CAPTURE(forward_pass, bred/plain, PopulationKind::bred, Path::plain);
BENCHMARK_CAPTURE(forward_pass, bred/baseline, PopulationKind::bred, Path::baseline);
BENCHMARK_CAPTURE(forward_pass, bred/avx2, PopulationKind::bred, Path::avx2);
BENCHMARK_CAPTURE(legal_moves, plain, Path::plain);
BENCHMARK_CAPTURE(legal_moves, baseline, Path::baseline);
BENCHMARK_CAPTURE(legal_moves, avx2, Path::avx2);
BENCHMARK_CAPTURE(legal_moves, portable, Path::portable);
BENCHMARK_CAPTURE(move, plain, Path::plain);
BENCHMARK_CAPTURE(move, baseline, Path::baseline);
BENCHMARK_CAPTURE(move, avx2, Path::avx2);
