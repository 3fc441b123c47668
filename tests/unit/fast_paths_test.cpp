// The fast rules, pass and match of every kernel set against the plain ones, and whole
// trainer runs whose bytes are fixed: every optimised path must give the results of the
// plain code, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "board.h"
#include "core_kernels.h"
#include "match.h"
#include "network.h"
#include "random.h"
#include "random_weights.h"
#include "plain_rules.h"
#include "support.h"
#include "tables.h"

namespace {

// Runs `body` once with each kernel set that this processor runs, then goes back to
// the set that was in use.
template <typename Body>
void for_each_kernel_set(Body body)
{
    const KernelSet before = kernel_set_in_use();
    for (KernelSet set : kernel_sets) {
        if (!kernel_set_available(set))
            continue;
        use_kernel_set(set);
        SCOPED_TRACE(kernel_set_name(set));
        body();
    }
    use_kernel_set(before);
}

// A small generator of the test's own, independent of the core's random source.
struct TestRandom {
    uint64_t state;
    uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 32);
    }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint32_t>(n)); }
    float unit() { return static_cast<float>(next() >> 8) / 16777216.0f; } // 0 .. 1
};

// Positions of three kinds: reached by random legal play from the opening, cells
// drawn at random, and (rarely) with cells of a value that no caller writes, which
// every rule takes for an opponent piece.
void random_board(TestRandom& rng)
{
    uint8_t* board = current_board;
    const int32_t kind = rng.below(10);
    board[0] = static_cast<uint8_t>(rng.below(3));
    if (kind < 6) {
        reset_board();
        const int32_t moves = rng.below(61);
        uint8_t side = white;
        for (int32_t m = 0, passes = 0; m < moves && passes < 2; ++m, side = other_colour(side)) {
            plain::find_legal_moves(side);
            std::vector<int32_t> legal;
            for (int32_t s = 1; s <= 64; ++s)
                if (legal_move_map[s] == 1)
                    legal.push_back(s);
            passes = legal.empty() ? passes + 1 : 0;
            if (!legal.empty())
                plain::play_move(legal[static_cast<size_t>(rng.below(static_cast<int32_t>(legal.size())))], side);
        }
        return;
    }
    const int32_t values = kind < 9 ? 3 : 4;
    for (int32_t s = 1; s <= 64; ++s)
        board[s] = static_cast<uint8_t>(rng.below(values));
}

// Weights of every kind the sums can meet: full mantissas at several scales, exact
// halves that cancel to 0.0, signed zeros, and now and then huge values and
// infinities that overflow the sums.
float any_weight(TestRandom& rng)
{
    const float u = 2.0f * rng.unit() - 1.0f;
    switch (rng.below(16)) {
    case 0: return static_cast<float>(rng.below(5) - 2) * 0.5f;
    case 1: return rng.below(2) ? 0.0f : -0.0f;
    case 2: return u * 3e38f;
    case 3: return rng.below(50) == 0 ? -std::numeric_limits<float>::infinity() : u * 1e-3f;
    case 4: return u * 37.0f;
    default: return u;
    }
}

void fill_random_networks(TestRandom& rng, CoreTables& t)
{
    for (size_t e = 1; e < t.population.size(); ++e)
        t.population[e] = any_weight(rng);
}

// What the core leaves behind, to compare a fast step with a plain one.
struct CoreState {
    std::vector<uint8_t> board, legal;
    std::vector<float> activation;
    uint32_t random_state;
};

CoreState state_of(const CoreTables& t)
{
    return {{t.board.begin(), t.board.end()},
            {t.legal.begin(), t.legal.end()},
            {t.activation.begin(), t.activation.end()},
            random_state_now()};
}

void restore(CoreTables& t, const CoreState& state)
{
    std::copy(state.board.begin(), state.board.end(), t.board.begin());
    std::copy(state.legal.begin(), state.legal.end(), t.legal.begin());
    std::copy(state.activation.begin(), state.activation.end(), t.activation.begin());
    seed_random(state.random_state);
}

// Runs one step through the fast path and, from the same tables and random state,
// through the plain one: results, boards, maps, activations (every bit) and the
// random source must agree.
template <typename Fast, typename Plain>
void expect_same_step(CoreTables& t, Fast fast, Plain reference)
{
    const CoreState start = state_of(t);
    const int32_t fast_result = fast();
    const CoreState after_fast = state_of(t);
    restore(t, start);
    const int32_t plain_result = reference();
    EXPECT_EQ(fast_result, plain_result);
    EXPECT_TRUE(std::ranges::equal(after_fast.board, t.board));
    EXPECT_TRUE(std::ranges::equal(after_fast.legal, t.legal));
    EXPECT_EQ(std::memcmp(after_fast.activation.data(), t.activation.data(), activation_bytes), 0);
    EXPECT_EQ(after_fast.random_state, random_state_now());
}

uint64_t fnv1a(const void* data, size_t size)
{
    uint64_t hash = 14695981039346656037ull;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

uint64_t fnv1a(const std::vector<unsigned char>& bytes) { return fnv1a(bytes.data(), bytes.size()); }

// A first population as make_population writes it from `seed`.
std::vector<unsigned char> tool_population(uint32_t seed)
{
    std::vector<float> floats(population_floats, 0.0f);
    seed_random(seed);
    fill_with_random_weights(floats.data());
    std::vector<unsigned char> bytes(population_bytes);
    std::memcpy(bytes.data(), floats.data(), bytes.size());
    return bytes;
}

// Weights that use every bit of the mantissa at several scales, so that any change
// in the order or rounding of an addition shows in the results.
std::vector<unsigned char> full_precision_population(uint64_t seed)
{
    std::vector<float> floats(population_floats, 0.0f);
    uint64_t state = seed;
    const float scales[4] = {1.0f, 1.0f, 1e-3f, 37.0f};
    for (size_t e = 1; e < floats.size(); ++e) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0; // 0 .. 1
        floats[e] = static_cast<float>((2.0 * unit - 1.0) * scales[(state >> 3) & 3]);
    }
    std::vector<unsigned char> bytes(population_bytes);
    std::memcpy(bytes.data(), floats.data(), bytes.size());
    return bytes;
}

struct RunPrint {
    uint64_t output, population, hall_of_fame;
    size_t champions;
};

RunPrint fixed_run(const std::vector<unsigned char>& population, uint32_t seed, int32_t generations)
{
    TempFolder folder;
    write_file("elvarfl.don", population);
    const TrainerRun run = run_trainer(seed, {{generations, "xO"}});
    EXPECT_EQ(run.status, 0);
    size_t champions = 0;
    for (size_t at = 0; (at = run.output.find(" lors du prochain passage.", at)) != std::string::npos; ++at)
        ++champions;
    return {fnv1a(run.output.data(), run.output.size()), fnv1a(read_file("elvarfl.don")),
            fnv1a(read_file("meillfl.don")), champions};
}

} // namespace


TEST(FastPaths, LegalMovesAndPlayedMovesFollowThePlainRules)
{
    CoreTables t;
    for_each_kernel_set([&] {
        TestRandom rng{1};
        for (int32_t n = 0; n < 4000; ++n) {
            random_board(rng);
            const uint8_t side = rng.below(2) ? white : black;
            for (uint8_t& cell : t.legal)
                cell = static_cast<uint8_t>(rng.below(3)); // cell 0 is never written
            expect_same_step(t, [&] { find_legal_moves(side); return 0; },
                             [&] { plain::find_legal_moves(side); return 0; });
            // Every empty square, legal or not (one that captures nothing just gets the piece).
            for (int32_t s = 1; s <= 64; ++s)
                if (t.board[static_cast<size_t>(s)] == empty)
                    expect_same_step(t, [&] { play_move(s, side); return 0; },
                                     [&] { plain::play_move(s, side); return 0; });
            if (::testing::Test::HasFailure())
                return;
        }
    });
}

TEST(FastPaths, PassesGiveTheSameActivationsBitForBit)
{
    CoreTables t;
    TestRandom rng{2};
    fill_random_networks(rng, t);
    for_each_kernel_set([&] {
        for (int32_t n = 0; n < 3000; ++n) {
            random_board(rng);
            const uint8_t side = rng.below(2) ? white : black;
            const int32_t k = rng.below(networks) + 1;
            encode_inputs(side);
            if (n % 10 == 0) {
                // Sums left from an earlier pass, and inputs that are neither 0.0 nor 1.0:
                // only the inputs at exactly 1.0 send, onto whatever the sums hold.
                for (int32_t e = 1; e <= neurons; ++e)
                    if (rng.below(4) == 0)
                        t.activation[static_cast<size_t>(e)] = any_weight(rng);
            }
            expect_same_step(t, [&] { evaluate_network(k); return 0; }, [&] { plain::evaluate_network(k); return 0; });
            if (::testing::Test::HasFailure())
                return;
        }
    });
}

TEST(FastPaths, MoveChoicesAreTheSameSquaresAndDraws)
{
    CoreTables t;
    for_each_kernel_set([&] {
        TestRandom rng{3};
        for (int32_t n = 0; n < 8000; ++n) {
            random_board(rng);
            const uint8_t side = rng.below(2) ? white : black;
            // Outputs with many ties, signed zeros, infinities and NaNs.
            const float levels[] = {0.0f, -0.0f, 1.0f, 2.5f, -7.0f, std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::lowest()};
            const int32_t spread = rng.below(9) + 1;
            for (int32_t s = 1; s <= 64; ++s)
                t.activation[static_cast<size_t>(output_of(s))] =
                    rng.below(8) == 0 ? any_weight(rng) : levels[rng.below(spread)];
            seed_random(rng.next());
            expect_same_step(t, [&] { return choose_move(side); }, [&] { return plain::choose_move(side); });
            if (::testing::Test::HasFailure())
                return;
        }
    });
}

TEST(FastPaths, MatchesEndInTheSameTablesBitForBit)
{
    CoreTables t;
    for_each_kernel_set([&] {
        TestRandom rng{4};
        for (int32_t n = 0; n < 600; ++n) {
            if (n % 100 == 0) // networks of every kind, then some that send nothing at all
                n % 200 == 0 ? fill_random_networks(rng, t) : std::fill(t.population.begin(), t.population.end(), 0.0f);
            if (n % 3 == 0)
                random_board(rng); // also from positions that no game reaches
            else
                reset_board();
            const int32_t a = rng.below(networks) + 1;
            const int32_t b = rng.below(networks) + 1;
            seed_random(rng.next());
            expect_same_step(t, [&] { play_match(a, b); return 0; }, [&] { plain::play_match(a, b); return 0; });
            if (::testing::Test::HasFailure())
                return;
        }
    });
}

// Two whole runs of the trainer whose console lines and files were recorded with the
// plain code: networks as make_population writes them (champions included), and
// full-precision weights.
TEST(FixedRuns, TranscriptsAndFilesAreUnchanged)
{
    for_each_kernel_set([&] {
        const RunPrint tool = fixed_run(tool_population(2024), 99, 400);
        EXPECT_EQ(tool.champions, 9u);
        EXPECT_EQ(tool.output, 0x3b166fb951aeaf7full);
        EXPECT_EQ(tool.population, 0x83d328c0c5ac7497ull);
        EXPECT_EQ(tool.hall_of_fame, 0x0fb3d10d6cc0acf0ull);
        const RunPrint full = fixed_run(full_precision_population(77), 5, 150);
        EXPECT_EQ(full.champions, 2u);
        EXPECT_EQ(full.output, 0xf0d79380648c8050ull);
        EXPECT_EQ(full.population, 0x2e81fafa984efb23ull);
        EXPECT_EQ(full.hall_of_fame, 0xd5ba19dd1cff15c9ull);
    });
}
