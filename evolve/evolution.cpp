#include "evolution.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "shape.h"
#include "tool_random.h"

namespace {

constexpr uint64_t mutation_stream = 0x6D75746174696F6Eull; // "mutation"
constexpr double root_of_three = 1.7320508075688772;
constexpr double weights_count = connections;

// Nearly normal, mean 0 and spread 1: the sum of four uniform draws, centred and
// scaled. Only additions and one product, so every machine draws the same numbers.
double normal_draw()
{
    const double sum = draw_tool_unit() + draw_tool_unit() + draw_tool_unit() + draw_tool_unit();
    return (sum - 2.0) * root_of_three;
}

// e^x for the small x of a step-size change, by additions, products and quotients
// alone, so that it is the same on every machine: e^(x/16) by its series, squared
// four times.
double exp_of(double x)
{
    const double y = x / 16.0;
    double term = 1.0, sum = 1.0;
    for (int32_t k = 1; k <= 14; ++k) {
        term *= y / k;
        sum += term;
    }
    for (int32_t i = 0; i < 4; ++i)
        sum *= sum;
    return sum;
}

// The direction of mirrored pair k of a generation: a normal draw for every weight.
std::vector<double> direction(const Settings& settings, int32_t generation, int32_t pair)
{
    const uint64_t seed = mix_seed(mix_seed(settings.seed, mutation_stream), static_cast<uint64_t>(generation));
    seed_tool_random(mix_seed(seed, static_cast<uint64_t>(pair)));
    std::vector<double> z(connections);
    for (double& x : z)
        x = normal_draw();
    return z;
}

// Rank weights of the mu selected, linear in the rank and summing to 1.
std::vector<double> recombination_weights(int32_t parents)
{
    std::vector<double> w;
    for (int32_t i = 1; i <= parents; ++i)
        w.push_back(static_cast<double>(parents + 1 - i));
    const double total = std::accumulate(w.begin(), w.end(), 0.0);
    for (double& x : w)
        x /= total;
    return w;
}

double fitness_of(int64_t half_points, const Settings& settings)
{
    return static_cast<double>(half_points) / (2.0 * settings.games);
}

std::string log_header(const Settings& settings)
{
    std::string header = "generation,best,mean,champion,sigma";
    for (const PanelMember& member : settings.panel) {
        const std::string name = panel_member_name(member);
        header += "," + name + "_games," + name + "_wins," + name + "_draws," + name + "_losses";
    }
    return header + "\n";
}

std::string log_row(const Settings& settings, int32_t generation, const GenerationSummary& summary, double sigma,
                    const std::vector<Tally>& champion)
{
    char text[160];
    std::snprintf(text, sizeof text, "%d,%.4f,%.4f,%.4f,%.6g", generation, summary.best, summary.mean,
                  summary.champion, sigma);
    std::string row = text;
    for (const Tally& tally : champion) {
        std::snprintf(text, sizeof text, ",%d,%d,%d,%d", games_per_member(settings), tally.wins, tally.draws,
                      tally.losses);
        row += text;
    }
    return row + "\n";
}

// Candidate c ranks above d: more points, then the earlier.
struct ByPoints {
    const std::vector<int64_t>& points;
    bool operator()(size_t c, size_t d) const { return points[c] != points[d] ? points[c] > points[d] : c < d; }
};

// The step of the mean in units of sigma: the mu best offspring, weighted by rank.
// Offspring c (1..lambda) is candidate c; pair k holds 2k + 1 and 2k + 2. Only the
// better of a pair may be selected (the first on a tie), so that two mirrored steps
// never cancel out in the new mean.
std::vector<double> selected_step(const Settings& settings, const Offspring& offspring,
                                  const std::vector<int64_t>& points)
{
    const ByPoints by_points{points};
    std::vector<size_t> winners;
    for (size_t plus = 1; plus < points.size(); plus += 2)
        winners.push_back(by_points(plus + 1, plus) ? plus + 1 : plus);
    std::sort(winners.begin(), winners.end(), by_points);
    const std::vector<double> weights = recombination_weights(settings.parents);
    std::vector<double> step(connections, 0.0);
    for (size_t r = 0; r < weights.size(); ++r) {
        const size_t c = winners[r];
        const double sign = c % 2 == 1 ? 1.0 : -1.0;
        const std::vector<double>& z = offspring.directions[(c - 1) / 2];
        for (size_t w = 0; w < step.size(); ++w)
            step[w] += weights[r] * sign * z[w];
    }
    return step;
}

// Cumulative step-size adaptation with the usual constants for this many weights: the
// evolution path takes in the step, and sigma is to be multiplied by the factor given,
// above 1 when the path is longer than random steps would make it (the steps agree),
// below 1 when it is shorter (they cancel out).
double step_size_factor(const Settings& settings, const std::vector<double>& step, std::vector<double>& path)
{
    double mu_eff_inverse = 0;
    for (double x : recombination_weights(settings.parents))
        mu_eff_inverse += x * x;
    const double mu_eff = 1.0 / mu_eff_inverse;
    const double c_sigma = (mu_eff + 2.0) / (weights_count + mu_eff + 5.0);
    const double d_sigma =
        1.0 + 2.0 * std::max(0.0, std::sqrt((mu_eff - 1.0) / (weights_count + 1.0)) - 1.0) + c_sigma;
    const double expected_length =
        std::sqrt(weights_count) * (1.0 - 1.0 / (4.0 * weights_count) + 1.0 / (21.0 * weights_count * weights_count));
    const double path_gain = std::sqrt(c_sigma * (2.0 - c_sigma) * mu_eff);
    double squared_length = 0;
    for (size_t w = 0; w < step.size(); ++w) {
        path[w] = (1.0 - c_sigma) * path[w] + path_gain * step[w];
        squared_length += path[w] * path[w];
    }
    return exp_of(c_sigma / d_sigma * (std::sqrt(squared_length) / expected_length - 1.0));
}

GenerationSummary summary_of(const Settings& settings, const std::vector<int64_t>& points)
{
    GenerationSummary summary;
    summary.best = fitness_of(*std::max_element(points.begin() + 1, points.end()), settings);
    summary.mean = fitness_of(std::accumulate(points.begin() + 1, points.end(), int64_t{0}), settings) /
                   static_cast<double>(settings.offspring);
    summary.champion = fitness_of(points.front(), settings);
    summary.games = static_cast<int64_t>(points.size()) * settings.games;
    return summary;
}

// The offspring best first, as many as a hall of fame holds beside the mean.
std::vector<Weights> ranked_offspring(const Offspring& offspring, const std::vector<int64_t>& points)
{
    std::vector<size_t> order(offspring.networks.size());
    std::iota(order.begin(), order.end(), 1);
    std::sort(order.begin(), order.end(), ByPoints{points});
    std::vector<Weights> ranked;
    for (size_t r = 0; r + 1 < static_cast<size_t>(networks) && r < order.size(); ++r)
        ranked.push_back(offspring.networks[order[r] - 1]);
    return ranked;
}

} // namespace

EvolutionState first_state(const Settings& settings, const Weights& start)
{
    EvolutionState state;
    state.mean = start;
    state.sigma = settings.sigma;
    state.path.assign(connections, 0.0);
    state.archive = {start};
    state.log = log_header(settings);
    return state;
}

Offspring sample_offspring(const Settings& settings, const EvolutionState& state)
{
    Offspring offspring;
    for (int32_t k = 0; k < settings.offspring / 2; ++k) {
        const std::vector<double>& z = offspring.directions.emplace_back(direction(settings, state.generation + 1, k));
        for (const double sign : {1.0, -1.0}) {
            Weights child(connections);
            for (size_t w = 0; w < child.size(); ++w)
                child[w] = static_cast<float>(state.mean[w] + sign * state.sigma * z[w]);
            offspring.networks.push_back(std::move(child));
        }
    }
    return offspring;
}

void conclude_generation(const Settings& settings, const Offspring& offspring,
                         const std::vector<std::vector<Tally>>& tallies, EvolutionState& state,
                         GenerationSummary& summary)
{
    std::vector<int64_t> points;
    for (const std::vector<Tally>& t : tallies)
        points.push_back(half_points(t));
    const std::vector<double> step = selected_step(settings, offspring, points);
    const double sigma_factor = step_size_factor(settings, step, state.path);
    summary = summary_of(settings, points);
    state.log += log_row(settings, state.generation + 1, summary, state.sigma, tallies.front());
    state.ranked = ranked_offspring(offspring, points);
    for (size_t w = 0; w < step.size(); ++w)
        state.mean[w] = static_cast<float>(state.mean[w] + state.sigma * step[w]);
    state.sigma *= sigma_factor;
    state.generation += 1;
    if (state.generation % settings.archive_every == 0) {
        state.archive.push_back(state.mean);
        if (state.archive.size() > static_cast<size_t>(settings.archive_size))
            state.archive.erase(state.archive.begin());
    }
}

bool run_generation(const Settings& settings, int32_t jobs, EvolutionState& state, GenerationSummary& summary,
                    const std::function<bool(int64_t)>& go_on)
{
    const Offspring offspring = sample_offspring(settings, state);
    std::vector<const Weights*> candidates{&state.mean};
    for (const Weights& child : offspring.networks)
        candidates.push_back(&child);
    std::vector<std::vector<Tally>> tallies;
    if (!evaluate(settings, state.generation + 1, candidates, state.archive, jobs, tallies, go_on))
        return false;
    conclude_generation(settings, offspring, tallies, state, summary);
    return true;
}

std::vector<const Weights*> leading_networks(const EvolutionState& state, int32_t count)
{
    std::vector<const Weights*> leaders{&state.mean};
    for (const Weights& w : state.ranked)
        leaders.push_back(&w);
    for (auto a = state.archive.rbegin(); a != state.archive.rend(); ++a)
        leaders.push_back(&*a);
    std::vector<const Weights*> chosen;
    for (size_t i = 0; chosen.size() < static_cast<size_t>(count); ++i)
        chosen.push_back(leaders[i % leaders.size()]);
    return chosen;
}
