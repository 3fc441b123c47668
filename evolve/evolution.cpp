#include "evolution.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "shape.h"
#include "tool_random.h"

namespace {

constexpr uint64_t mutation_stream = 0x6D75746174696F6Eull; // "mutation"
constexpr double root_of_three = 1.7320508075688772;

// Nearly normal, mean 0 and spread 1: the sum of four uniform draws, centred and
// scaled. Only additions and one product, so every machine draws the same numbers.
double normal_draw()
{
    const double sum = draw_tool_unit() + draw_tool_unit() + draw_tool_unit() + draw_tool_unit();
    return (sum - 2.0) * root_of_three;
}

Weights offspring_of(const Weights& parent, const Settings& settings, int32_t generation, int32_t child)
{
    uint64_t seed = mix_seed(mix_seed(settings.seed, mutation_stream), static_cast<uint64_t>(generation));
    seed_tool_random(mix_seed(seed, static_cast<uint64_t>(child)));
    Weights weights = parent;
    for (float& w : weights)
        if (draw_tool_unit() < settings.rate)
            w = static_cast<float>(static_cast<double>(w) + settings.sigma * normal_draw());
    return weights;
}

double fitness_of(int64_t half_points, const Settings& settings)
{
    return static_cast<double>(half_points) / (2.0 * settings.games);
}

std::string log_header(const Settings& settings)
{
    std::string header = "generation,best,mean,champion";
    for (const PanelMember& member : settings.panel) {
        const std::string name = panel_member_name(member);
        header += "," + name + "_games," + name + "_wins," + name + "_draws," + name + "_losses";
    }
    return header + "\n";
}

std::string log_row(const Settings& settings, int32_t generation, const GenerationSummary& summary,
                    const std::vector<Tally>& champion)
{
    char text[128];
    std::snprintf(text, sizeof text, "%d,%.4f,%.4f,%.4f", generation, summary.best, summary.mean, summary.champion);
    std::string row = text;
    for (const Tally& tally : champion) {
        std::snprintf(text, sizeof text, ",%d,%d,%d,%d", games_per_member(settings), tally.wins, tally.draws,
                      tally.losses);
        row += text;
    }
    return row + "\n";
}

} // namespace

EvolutionState first_state(const Settings& settings, const std::vector<Weights>& start)
{
    EvolutionState state;
    const size_t kept = std::max<size_t>(static_cast<size_t>(settings.parents), networks);
    for (size_t i = 0; i < kept; ++i)
        state.ranked.push_back(start[i % start.size()]);
    state.archive.push_back(state.ranked.front());
    state.log = log_header(settings);
    return state;
}

bool run_generation(const Settings& settings, int32_t jobs, EvolutionState& state, GenerationSummary& summary,
                    const std::function<bool(int64_t)>& go_on)
{
    const int32_t generation = state.generation + 1;
    const auto parents = static_cast<size_t>(settings.parents);
    std::vector<Weights> offspring;
    for (int32_t i = 0; i < settings.offspring; ++i)
        offspring.push_back(offspring_of(state.ranked[static_cast<size_t>(i) % parents], settings, generation, i));
    std::vector<const Weights*> candidates;
    for (size_t p = 0; p < parents; ++p)
        candidates.push_back(&state.ranked[p]);
    for (const Weights& child : offspring)
        candidates.push_back(&child);

    std::vector<std::vector<Tally>> tallies;
    if (!evaluate(settings, generation, candidates, state.archive, jobs, tallies, go_on))
        return false;

    std::vector<int64_t> points;
    for (const std::vector<Tally>& t : tallies)
        points.push_back(half_points(t));
    std::vector<size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return points[a] != points[b] ? points[a] > points[b] : a > b;
    });

    summary.best = fitness_of(points[order.front()], settings);
    summary.mean = fitness_of(std::accumulate(points.begin(), points.end(), int64_t{0}), settings) /
                   static_cast<double>(points.size());
    summary.champion = fitness_of(points.front(), settings);
    summary.games = static_cast<int64_t>(candidates.size()) * settings.games;

    std::vector<Weights> ranked;
    const size_t kept = std::min(order.size(), std::max(parents, static_cast<size_t>(networks)));
    for (size_t r = 0; r < kept; ++r)
        ranked.push_back(*candidates[order[r]]);
    state.log += log_row(settings, generation, summary, tallies.front());
    state.ranked = std::move(ranked);
    if (generation % settings.archive_every == 0) {
        state.archive.push_back(state.ranked.front());
        if (state.archive.size() > static_cast<size_t>(settings.archive_size))
            state.archive.erase(state.archive.begin());
    }
    state.generation = generation;
    return true;
}

std::vector<const Weights*> leading_networks(const EvolutionState& state, int32_t count)
{
    std::vector<const Weights*> leaders;
    for (const Weights& w : state.ranked)
        leaders.push_back(&w);
    for (auto a = state.archive.rbegin(); a != state.archive.rend(); ++a)
        leaders.push_back(&*a);
    std::vector<const Weights*> chosen;
    for (size_t i = 0; chosen.size() < static_cast<size_t>(count); ++i)
        chosen.push_back(leaders[i % leaders.size()]);
    return chosen;
}
