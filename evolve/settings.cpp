#include "settings.h"

#include <cmath>

std::string settings_fault(const Settings& s)
{
    const auto members = static_cast<int32_t>(s.panel.size());
    if (s.parents < 1 || s.parents > 1000)
        return "--parents takes a number of networks, 1 to 1000";
    if (s.offspring < 1 || s.offspring > 10000)
        return "--offspring takes a number of networks, 1 to 10000";
    if (!(s.sigma > 0.0 && s.sigma <= 10.0))
        return "--sigma takes a spread above 0, up to 10";
    if (!(s.rate > 0.0 && s.rate <= 1.0))
        return "--rate takes a probability above 0, up to 1";
    if (members < 1)
        return "--panel needs at least one opponent";
    if (s.games < 2 * members || s.games % (2 * members) != 0 || s.games > 1000000)
        return "--games takes a multiple of twice the panel's size (" + std::to_string(2 * members) +
               "), up to 1000000: each opponent plays as many games with each colour";
    if (!(s.epsilon >= 0.0 && s.epsilon <= 1.0))
        return "--epsilon takes a probability, 0 to 1";
    if (s.archive_size < 1 || s.archive_size > largest_archive)
        return "--archive-size takes a number of networks, 1 to " + std::to_string(largest_archive);
    if (s.archive_every < 1)
        return "--archive-every takes a number of generations, 1 or more";
    return "";
}
