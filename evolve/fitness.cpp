#include "fitness.h"

#include <algorithm>

#include "board.h"
#include "game_processes.h"
#include "protocol_game.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr int32_t candidate_slot = 1;     // the network evaluated, in the current population
constexpr int32_t first_archive_slot = 2; // then the archive, oldest first

void put_network(int32_t slot, const Weights& weights)
{
    std::copy(weights.begin(), weights.end(), current_population + network_base(slot) + 1);
}

} // namespace

bool evaluate(const Settings& settings, int32_t generation, const std::vector<const Weights*>& candidates,
              const std::vector<Weights>& archive, int32_t jobs, std::vector<std::vector<Tally>>& tallies,
              const std::function<bool(int64_t)>& go_on)
{
    for (size_t a = 0; a < archive.size(); ++a)
        put_network(first_archive_slot + static_cast<int32_t>(a), archive[a]);
    const int32_t per_member = games_per_member(settings);
    const auto archived = static_cast<int32_t>(archive.size());
    const Protocol protocol{settings.epsilon, 0};
    const Player candidate{Player::Kind::network, candidate_slot};

    // Game t: candidate t / games; of its evaluation, game i of member m.
    int32_t loaded = -1; // the candidate in its slot, in each process
    auto play = [&](int32_t t) {
        const int32_t c = t / settings.games;
        const int32_t m = t % settings.games / per_member;
        const int32_t i = t % per_member;
        if (c != loaded) {
            put_network(candidate_slot, *candidates[static_cast<size_t>(c)]);
            loaded = c;
        }
        const PanelMember& member = settings.panel[static_cast<size_t>(m)];
        uint64_t game_seed = mix_seed(settings.seed, static_cast<uint64_t>(generation));
        game_seed = mix_seed(game_seed, static_cast<uint64_t>(panel_member_code(member)));
        seed_game(mix_seed(game_seed, static_cast<uint64_t>(i)));
        const uint8_t colour = i % 2 == 0 ? white : black;
        // Against the archive, each network in turn, with either colour.
        const Outcome outcome =
            member.archive ? play_protocol_game(candidate, first_archive_slot + i / 2 % archived, colour, protocol)
                           : play_protocol_game(candidate, member.opponent, colour, protocol);
        return static_cast<uint8_t>(outcome);
    };
    const auto count = static_cast<int32_t>(candidates.size()) * settings.games;
    std::vector<uint8_t> outcomes;
    if (!play_games(count, jobs, play, outcomes, [&](int32_t done) { return go_on(done); }))
        return false;

    tallies.assign(candidates.size(), std::vector<Tally>(settings.panel.size()));
    for (int32_t t = 0; t < count; ++t) {
        Tally& tally = tallies[static_cast<size_t>(t / settings.games)][static_cast<size_t>(t % settings.games / per_member)];
        const auto outcome = static_cast<Outcome>(outcomes[static_cast<size_t>(t)]);
        (outcome == Outcome::win ? tally.wins : outcome == Outcome::draw ? tally.draws : tally.losses) += 1;
    }
    return true;
}

int64_t half_points(const std::vector<Tally>& tallies)
{
    int64_t points = 0;
    for (const Tally& tally : tallies)
        points += 2 * tally.wins + tally.draws;
    return points;
}
