// A hall of fame whose levels form a ladder: at every level of the game's menu the
// computer's pick, the winner of the thinking tournament among networks 1..L from the
// opening (all ordered pairs, colour 1 credited, the first best score winning), is
// stronger than at the level below.
//
// The picks follow from the games the networks play against each other, so the order
// is built slot by slot with those games: a level's pick depends on slots 1..L alone,
// and once chosen stays. At each level of the menu the slot takes the candidate
// closest to that level's target strength (targets evenly spaced from the weakest
// candidate to the strongest) that makes the pick stronger than the last one (or, where
// none does, the candidate that makes the strongest pick, the ladder flat there); the
// slots between the menu's levels take the weakest candidates left that keep the last
// pick the winner. Candidates whose games against the others depend
// on the random draws that break ties are left out, so that every pick is the same
// whatever the game has drawn before.
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
    size_t left_out = 0;               // candidates whose games depend on tie draws
    std::vector<int32_t> flat_levels;  // menu levels whose pick is no stronger than the one below
};

// Needs the core's tables (the current population is overwritten).
Ladder graded_order(const std::vector<LadderCandidate>& candidates);

// The thinking tournament's winner among networks 1..L of the current population,
// played with the random source seeded with each of `seeds`; 0 when the seeds disagree.
int32_t level_pick(int32_t level, const std::vector<uint32_t>& seeds);
