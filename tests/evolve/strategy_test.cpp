// The evolution strategy's update, fed whole generations: the offspring it draws, then
// results of their games as a landscape of the test's own ranks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

#include "evolution.h"
#include "shape.h"

namespace {

using Landscape = std::function<double(const Weights&)>;

// Tallies that rank the mean and its offspring as the landscape does: the higher its
// value, the more wins.
std::vector<std::vector<Tally>> tallies_by(const Settings& settings, const Weights& mean, const Offspring& offspring,
                                           const Landscape& value)
{
    std::vector<double> values{value(mean)};
    for (const Weights& child : offspring.networks)
        values.push_back(value(child));
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<std::vector<Tally>> tallies(values.size(), std::vector<Tally>(settings.panel.size()));
    for (size_t rank = 0; rank < order.size(); ++rank)
        tallies[order[rank]].front().wins = static_cast<int32_t>(rank);
    return tallies;
}

void run_generations(const Settings& settings, EvolutionState& state, int32_t count, const Landscape& value)
{
    for (int32_t g = 0; g < count; ++g) {
        const Offspring offspring = sample_offspring(settings, state);
        GenerationSummary summary;
        conclude_generation(settings, offspring, tallies_by(settings, state.mean, offspring, value), state, summary);
    }
}

double sum_of(const Weights& w) { return std::accumulate(w.begin(), w.end(), 0.0); }

struct Course {
    double sigma_midway, sigma_end, mean_sum_end;
};

// 400 generations from a network of zeros; the path of the step size fills in the first 200.
Course course_on(const Landscape& value)
{
    const Settings settings;
    EvolutionState state = first_state(settings, Weights(connections, 0.0f));
    run_generations(settings, state, 200, value);
    const double midway = state.sigma;
    run_generations(settings, state, 200, value);
    return {midway, state.sigma, sum_of(state.mean)};
}

} // namespace

TEST(Strategy, StepSizeGrowsWhenStepsAgreeAndShrinksWhenTheyCancelOut)
{
    // A slope: the best offspring lie on the same side generation after generation.
    const Course slope = course_on(sum_of);
    // A bowl at the start: the best offspring are those that step back towards it.
    const Course bowl = course_on([](const Weights& w) { return -std::inner_product(w.begin(), w.end(), w.begin(), 0.0); });
    // No landscape at all: a ranking by chance.
    const Course chance = course_on([](const Weights& w) { return std::sin(1e3 * sum_of(w)); });

    EXPECT_GT(slope.mean_sum_end, 0.0); // the mean climbs the slope
    EXPECT_GT(slope.sigma_end, slope.sigma_midway * 1.05);
    EXPECT_LT(chance.sigma_end, chance.sigma_midway);
    EXPECT_LT(bowl.sigma_end, chance.sigma_end * 0.9);
}

TEST(Strategy, MirroredPairsAndOnlyTheBetterOfEachCounts)
{
    const Settings settings;
    EvolutionState start = first_state(settings, Weights(connections, 0.25f));
    const Offspring offspring = sample_offspring(settings, start);
    ASSERT_EQ(offspring.networks.size(), static_cast<size_t>(settings.offspring));
    for (size_t k = 0; k < offspring.directions.size(); ++k)
        for (size_t w = 0; w < static_cast<size_t>(connections); w += 97) {
            const float plus = offspring.networks[2 * k][w], minus = offspring.networks[2 * k + 1][w];
            EXPECT_NE(plus, minus);
            EXPECT_NEAR((plus + minus) / 2, 0.25f, 1e-6f) << "pair " << k << ", weight " << w;
        }

    // Pair 1 holds the two best offspring: its second one never counts, however good.
    auto concluded = [&](int32_t second_wins) {
        std::vector<std::vector<Tally>> tallies(offspring.networks.size() + 1, std::vector<Tally>(settings.panel.size()));
        for (size_t c = 1; c < tallies.size(); ++c)
            tallies[c].front().wins = static_cast<int32_t>(c % 7);
        tallies[1].front().wins = 100;
        tallies[2].front().wins = second_wins;
        EvolutionState state = start;
        GenerationSummary summary;
        conclude_generation(settings, offspring, tallies, state, summary);
        return state;
    };
    const EvolutionState second_near_best = concluded(99), second_worst = concluded(0);
    EXPECT_EQ(second_near_best.mean, second_worst.mean);
    EXPECT_NE(second_near_best.mean, start.mean);
    EXPECT_EQ(second_near_best.ranked[1], offspring.networks[1]); // the ranking of offspring keeps it
}
