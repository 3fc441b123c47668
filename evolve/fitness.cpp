#include "fitness.h"

#include "board.h"
#include "game_processes.h"
#include "population_slots.h"
#include "protocol_game.h"
#include "shape.h"
#include "tables.h"
#include "tool_random.h"

namespace {

constexpr int32_t candidate_slot = 1;     // the network evaluated, in the current population
constexpr int32_t first_archive_slot = 2; // then the archive, oldest first

} // namespace

bool evaluate(const Settings& settings, int32_t generation, const std::vector<const Weights*>& candidates,
              const std::vector<Weights>& archive, int32_t jobs, std::vector<std::vector<Tally>>& tallies,
              const std::function<bool(int64_t)>& go_on)
{
    for (size_t a = 0; a < archive.size(); ++a)
        put_network(current_population, first_archive_slot + static_cast<int32_t>(a), archive[a].data());
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
            put_network(current_population, candidate_slot, candidates[static_cast<size_t>(c)]->data());
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
    const auto count = static_cast<int32_t>(candidates.size()) * settings.games; // bounded by settings_fault
    std::vector<uint8_t> outcomes;
    if (!play_games(count, jobs, play, outcomes, [&](int32_t done) { return go_on(done); }))
        return false;

    tallies = tally_outcomes(outcomes, candidates.size(), settings.panel.size());
    return true;
}

int64_t half_points(const std::vector<Tally>& tallies)
{
    int64_t points = 0;
    for (const Tally& tally : tallies)
        points += 2 * tally.wins + tally.draws;
    return points;
}
