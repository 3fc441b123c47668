// The evolution strategy: a (mu + lambda) evolution strategy with Gaussian mutation.
//
// Each generation the mu parents make lambda offspring, child i a copy of parent
// i mod mu in which each weight changes, with probability `rate`, by a normal draw of
// spread `sigma`. Parents and offspring play the same games (fitness.h); ranked by their
// points, ties going to the later candidate (an offspring that plays like its parent
// replaces it, so that the population drifts across flat ground), the mu first become
// the next parents. Every `archive_every` generations the best joins the archive of
// opponents, which keeps its newest entries.
//
// The parents that come through are measured again on the next generation's fresh
// games, so the first parent's result there (the "champion") is a fair measure of the
// best network of the generation before, unflattered by its selection.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fitness.h"
#include "settings.h"

struct EvolutionState {
    int32_t generation = 0;       // generations done
    std::vector<Weights> ranked;  // the last ranking's leaders, best first; the parents first
    std::vector<Weights> archive; // oldest first
    std::string log;              // the CSV log: a header, then one row per generation
};

// The state before generation 1, from the starting networks (at least one) in order.
EvolutionState first_state(const Settings& settings, const std::vector<Weights>& start);

struct GenerationSummary {
    double best = 0, mean = 0, champion = 0; // fitness, 0 to 1
    int64_t games = 0;
};

// Runs the next generation; false, with the state unchanged, when `go_on` abandoned it
// or its games could not be played.
bool run_generation(const Settings& settings, int32_t jobs, EvolutionState& state, GenerationSummary& summary,
                    const std::function<bool(int64_t)>& go_on);

// The networks that the run has to show, best first: the last ranking, then the
// archive from the newest, as many as `count`.
std::vector<const Weights*> leading_networks(const EvolutionState& state, int32_t count);
