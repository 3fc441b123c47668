#include "outcome_tally.h"

#include "protocol_game.h"

void Tally::add(const Tally& other)
{
    wins += other.wins;
    draws += other.draws;
    losses += other.losses;
}

std::vector<std::vector<Tally>> tally_outcomes(const std::vector<uint8_t>& outcomes, size_t rows, size_t columns)
{
    std::vector<std::vector<Tally>> tallies(rows, std::vector<Tally>(columns));
    const size_t block = outcomes.size() / (rows * columns);
    for (size_t t = 0; t < outcomes.size(); ++t) {
        Tally& tally = tallies[t / block / columns][t / block % columns];
        const auto outcome = static_cast<Outcome>(outcomes[t]);
        (outcome == Outcome::win ? tally.wins : outcome == Outcome::draw ? tally.draws : tally.losses) += 1;
    }
    return tallies;
}
