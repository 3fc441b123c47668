// The wins, draws and losses of a player's measured games.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Tally {
    int32_t wins = 0, draws = 0, losses = 0;
    int32_t games() const { return wins + draws + losses; }
    void add(const Tally& other);
};

// The outcomes of games (Outcome values, protocol_game.h) cut into rows x columns equal
// blocks in order: tallies[r][c] counts block r * columns + c.
std::vector<std::vector<Tally>> tally_outcomes(const std::vector<uint8_t>& outcomes, size_t rows, size_t columns);
