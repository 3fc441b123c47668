// The evolution strategy: a (mu/mu_w, lambda) evolution strategy with mirrored
// sampling and cumulative step-size adaptation.
//
// The run keeps one network, the mean, and a step size sigma. Each generation makes
// lambda offspring in mirrored pairs, mean + sigma z and mean - sigma z, z a normal
// draw for every weight. The mean and its offspring play the same games (fitness.h);
// the mu best offspring, weighted by rank, make the next mean, and the length of the
// path that the mean has travelled lately lengthens sigma when the steps go one way
// and shortens it when they cancel out. Every `archive_every` generations the mean
// joins the archive of opponents, which keeps its newest entries.
//
// The mean is measured on each generation's fresh games before it moves, so its
// result there (the "champion") is a fair measure of it, unflattered by selection.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fitness.h"
#include "settings.h"

struct EvolutionState {
    int32_t generation = 0;       // generations done
    Weights mean;                 // the network at the centre of the search
    double sigma = 0;             // the step size
    std::vector<double> path;     // the evolution path of the step size, one entry per weight
    std::vector<Weights> ranked;  // the last generation's best offspring, best first (up to 35)
    std::vector<Weights> archive; // oldest first
    std::string log;              // the CSV log: a header, then one row per generation
};

// The state before generation 1, searching around `start`.
EvolutionState first_state(const Settings& settings, const Weights& start);

struct GenerationSummary {
    double best = 0, mean = 0, champion = 0; // fitness, 0 to 1
    int64_t games = 0;
};

// Runs the next generation; false, with the state unchanged, when `go_on` abandoned it
// or its games could not be played.
bool run_generation(const Settings& settings, int32_t jobs, EvolutionState& state, GenerationSummary& summary,
                    const std::function<bool(int64_t)>& go_on);

// The phases of a generation, for run_generation and the tests: the offspring drawn
// around the mean, then, once the mean and its offspring have played, the state moved on.
struct Offspring {
    std::vector<std::vector<double>> directions; // z of each mirrored pair
    std::vector<Weights> networks;               // pair k: mean + sigma z, then mean - sigma z
};
Offspring sample_offspring(const Settings& settings, const EvolutionState& state);
// tallies[0] holds the mean's games, tallies[c] those of offspring c (1..lambda).
void conclude_generation(const Settings& settings, const Offspring& offspring,
                         const std::vector<std::vector<Tally>>& tallies, EvolutionState& state,
                         GenerationSummary& summary);

// The networks that the run has to show, best first: the mean, the last generation's
// offspring best first, then the archive from the newest, as many as `count`.
std::vector<const Weights*> leading_networks(const EvolutionState& state, int32_t count);
