// A network's fitness: its games against the panel under the measured game's protocol,
// with random moves at probability epsilon, a draw counting half a win.
//
// Every candidate of a generation plays the very same games: game i against a member
// is seeded from (run seed, generation, member, i), whichever network plays it. Two
// networks that play alike get the same result, so that the comparison between them
// is not blurred by luck.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "outcome_tally.h"
#include "settings.h"

using Weights = std::vector<float>; // one network's 4260 weights, as a file holds them

// Plays the evaluation of every candidate against every member of the panel, on
// `jobs` processes, into tallies[candidate][member]. `go_on` is asked now and then
// with the games done so far; false abandons the games. False when abandoned or
// when the games could not be played (a message has been printed).
bool evaluate(const Settings& settings, int32_t generation, const std::vector<const Weights*>& candidates,
              const std::vector<Weights>& archive, int32_t jobs, std::vector<std::vector<Tally>>& tallies,
              const std::function<bool(int64_t)>& go_on);

// Wins count 2, draws 1: the points of one evaluation, to compare networks exactly.
int64_t half_points(const std::vector<Tally>& tallies);
