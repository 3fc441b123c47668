// A hall of fame whose levels form a ladder: at every level of the game's menu the
// computer's pick, the winner of the thinking tournament among networks 1..L from the
// opening (all ordered pairs, colour 1 credited, the first best score winning), is
// stronger than at the level below.
//
// The picks follow from the games the networks play against each other (a level's
// pick depends on slots 1..L alone), so the order is built with those games. A first
// order is made slot by slot: at each menu level the candidate closest to a target
// strength (the rest of the way to the strongest candidate, shared evenly among the
// levels left) that makes the pick stronger than the last one; between the menu's
// levels the weakest candidates left that keep the last pick. Then the order is
// improved one change at a time (two slots exchanged, or a slot given a candidate
// left out), each change kept when the ladder is no worse: first fewer levels no
// stronger than the one below, then a wider smallest step, then more even steps over a
// longer climb. The changes come from a seeded draw, so the same candidates always give
// the same ladder. No two networks of the ladder draw a random number (to break a tie
// between legal squares) in their games against each other: every pick is then the
// same whatever the game has drawn before, and its tournament draws nothing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t menu_levels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 36};

struct LadderCandidate {
    const float* weights; // 4260 weights
    double strength;      // its measured win rate (0 .. 1) against the reference opponent
};

struct Ladder {
    std::vector<size_t> slots;         // the candidates of slots 1..36, in order
    std::vector<size_t> picks;         // the pick of each menu level
    std::string failure;               // why no ladder could be built, or ""
    std::vector<int32_t> flat_levels;  // menu levels whose pick is no stronger than the one below
};

// Needs the core's tables (the current population is overwritten) and 36 candidates or
// more; with fewer, `failure` says so.
Ladder graded_order(const std::vector<LadderCandidate>& candidates);

// The thinking tournament's winner among networks 1..L of the current population,
// played with the random source seeded with each of `seeds`; 0 when the seeds disagree.
int32_t level_pick(int32_t level, const std::vector<uint32_t>& seeds);
