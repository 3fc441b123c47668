#include "settings.h"

#include "game_processes.h"

std::string settings_fault(const Settings& s)
{
    const auto members = static_cast<int32_t>(s.panel.size());
    if (s.offspring < 2 || s.offspring > 10000 || s.offspring % 2 != 0)
        return "--offspring takes an even number of networks, 2 to 10000: they come in mirrored pairs";
    if (s.parents < 1 || s.parents > s.offspring / 2)
        return "--parents takes a number of networks, 1 to half of --offspring";
    if (!(s.sigma > 0.0 && s.sigma <= 10.0))
        return "--sigma takes a step size above 0, up to 10";
    if (members < 1)
        return "--panel needs at least one opponent";
    if (s.games < 2 * members || s.games % (2 * members) != 0 || s.games > 1000000)
        return "--games takes a multiple of twice the panel's size (" + std::to_string(2 * members) +
               "), up to 1000000: each opponent plays as many games with each colour";
    if (const int64_t at_once = (int64_t{s.offspring} + 1) * s.games; at_once > most_games_at_once)
        return "--offspring and --games ask for " + std::to_string(at_once) +
               " games a generation ((LAMBDA + 1) x N), more than " + std::to_string(most_games_at_once);
    if (!(s.epsilon >= 0.0 && s.epsilon <= 1.0))
        return "--epsilon takes a probability, 0 to 1";
    if (s.archive_size < 1 || s.archive_size > largest_archive)
        return "--archive-size takes a number of networks, 1 to " + std::to_string(largest_archive);
    if (s.archive_every < 1)
        return "--archive-every takes a number of generations, 1 or more";
    return "";
}
