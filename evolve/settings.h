// What defines an evolution run: the same settings and the same starting networks
// give the same networks, generation after generation, on any machine and with any
// number of processes. A checkpoint keeps them, and a resumed run takes them from it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "panel.h"

struct Settings {
    uint64_t seed = 1;
    int32_t parents = 10;      // mu: the offspring that make the next mean, at most half of lambda
    int32_t offspring = 40;    // lambda: the offspring of each generation, in mirrored pairs
    double sigma = 0.1;        // the first step size
    int32_t games = 600;       // games of one fitness evaluation, dealt evenly over the panel
    std::vector<PanelMember> panel{{false, Opponent::wpc}, {false, Opponent::wpc_ab2}, {true, Opponent::random}};
    double epsilon = 0.1;      // the probability of a random move at each turn
    int32_t archive_size = 10; // the archive keeps the newest entries, up to 35
    int32_t archive_every = 5; // every so many generations the best network joins it
    bool operator==(const Settings&) const = default;
};

constexpr int32_t largest_archive = 35; // network 1 is the candidate, 2..36 the archive

// The games of one evaluation against each member of the panel.
inline int32_t games_per_member(const Settings& s) { return s.games / static_cast<int32_t>(s.panel.size()); }

// What is wrong with the settings, or "" when they can be run.
std::string settings_fault(const Settings& s);
