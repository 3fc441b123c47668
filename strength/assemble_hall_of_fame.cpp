// assemble_hall_of_fame: makes a hall-of-fame file from the strongest networks of
// several, as the strength tool measured them against one opponent or several.
//
//   assemble_hall_of_fame [--graded [--weakest RATE]] [--opponent NAME[,NAME...]] OUT FILE CSV [FILE CSV ...]
//
// Each FILE is a hall-of-fame (or population) file, and CSV the strength tool's CSV
// for its networks (rows "net:K"). All the networks measured against NAME (default
// wpc; or NAME,NAME,...: their games against each added up) are ranked by win rate,
// then by draw rate, then in the order given (file by file, network by network); a
// network whose weights equal those of one ranked higher is left out. The 36 first go to OUT, best first, so that every level of the game
// consults the strongest ones.
//
// With --graded, OUT is a ladder instead (graded_order.h): from the weakest network
// measured to the strongest, each level of the game's menu picks a stronger network
// than the level below; the picks are played again with the game's own tournament
// before the file is written. --weakest leaves out the networks that win less than
// RATE (0 to 1) of their games, so that level 1 is no weaker than that.
//
// The header names slot 36 as the one the trainer replaces first. OUT must not exist
// yet; the choice is printed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "graded_order.h"
#include "image_file.h"
#include "lowfile.h"
#include "shape.h"
#include "tables.h"

namespace {

constexpr char csv_header[] = "player,opponent,epsilon,games,wins,draws,losses";

struct Candidate {
    size_t file;  // index of its file in the arguments
    int32_t k;    // its network number there
    int64_t games, wins, draws;
};

int usage()
{
    std::fprintf(stderr, "usage: assemble_hall_of_fame [--graded [--weakest RATE]] [--opponent NAME[,NAME...]] OUT FILE CSV [FILE CSV ...]\n");
    return 2;
}

bool read_networks(const char* path, std::vector<float>& population)
{
    population.assign(population_floats, 0.0f);
    if (read_image(path, population.data(), Access::read_only).status != FileStatus::done) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s is not a complete hall-of-fame file\n", path);
        return false;
    }
    return true;
}

bool parse_count(const std::string& text, int64_t& value)
{
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= 0;
}

// The rows of `path` against the `opponents` (comma-separated), each network once
// against each of them or not at all; a network's games against them are added up.
bool read_measures(const char* path, size_t file, const std::string& opponents, std::vector<Candidate>& candidates)
{
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line) || line != csv_header) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s is not a CSV of the strength tool\n", path);
        return false;
    }
    const std::string listed = "," + opponents + ",";
    const auto wanted = static_cast<int32_t>(std::count(listed.begin(), listed.end(), ',') - 1);
    int32_t seen[networks_bound] = {}; // rows of each network
    Candidate found[networks_bound] = {};
    for (int32_t row = 2; std::getline(in, line); ++row) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            fields.push_back(cell);
        int64_t k = 0, games = 0, wins = 0, draws = 0, losses = 0;
        const bool good = fields.size() == 7 && parse_count(fields[3], games) && parse_count(fields[4], wins) &&
                          parse_count(fields[5], draws) && parse_count(fields[6], losses) &&
                          wins + draws + losses == games && games > 0;
        if (!good) {
            std::fprintf(stderr, "assemble_hall_of_fame: %s, line %d: not a row of the strength tool\n", path, row);
            return false;
        }
        if (listed.find("," + fields[1] + ",") == std::string::npos || fields[0].rfind("net:", 0) != 0)
            continue;
        if (!parse_count(fields[0].substr(4), k) || k < 1 || k > networks || seen[k] == wanted) {
            std::fprintf(stderr, "assemble_hall_of_fame: %s, line %d: network \"%s\" is wrong or repeated\n", path,
                         row, fields[0].c_str());
            return false;
        }
        ++seen[k];
        found[k] = {file, static_cast<int32_t>(k), found[k].games + games, found[k].wins + wins,
                    found[k].draws + draws};
    }
    for (int32_t n = 1; n <= networks; ++n) {
        if (seen[n] == wanted)
            candidates.push_back(found[n]);
        else if (seen[n] != 0) {
            std::fprintf(stderr, "assemble_hall_of_fame: %s: network %d is not measured against all of %s\n", path, n,
                         opponents.c_str());
            return false;
        }
    }
    return true;
}

// True when a ranks above b: a higher win rate, then a higher draw rate (compared
// exactly, as fractions), then the order of the arguments.
bool ranks_above(const Candidate& a, const Candidate& b)
{
    if (a.wins * b.games != b.wins * a.games)
        return a.wins * b.games > b.wins * a.games;
    if (a.draws * b.games != b.draws * a.games)
        return a.draws * b.games > b.draws * a.games;
    return a.file != b.file ? a.file < b.file : a.k < b.k;
}

const float* weights_of(const std::vector<float>& population, int32_t k)
{
    return population.data() + network_base(k) + 1;
}

// The ladder's order of `distinct`, its picks played again with the game's tournament;
// empty after a message when none could be built.
std::vector<const Candidate*> ladder_of(std::vector<const Candidate*> distinct, double weakest,
                                        const std::vector<std::vector<float>>& populations, char** argv, int first)
{
    allocate_core_tables();
    std::erase_if(distinct, [&](const Candidate* c) { return static_cast<double>(c->wins) / c->games < weakest; });
    std::vector<LadderCandidate> pool;
    for (const Candidate* c : distinct)
        pool.push_back({weights_of(populations[c->file], c->k), static_cast<double>(c->wins) / c->games});
    const Ladder ladder = graded_order(pool);
    if (!ladder.failure.empty()) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s\n", ladder.failure.c_str());
        return {};
    }
    std::vector<const Candidate*> chosen;
    for (size_t slot = 0; slot < ladder.slots.size(); ++slot) {
        chosen.push_back(distinct[ladder.slots[slot]]);
        std::memcpy(current_population + network_base(static_cast<int32_t>(slot + 1)) + 1, pool[ladder.slots[slot]].weights,
                    network_bytes);
    }
    std::printf("levels of the menu, the pick of each (the winner of its thinking tournament):\n");
    for (size_t m = 0; m < ladder.picks.size(); ++m) {
        const int32_t pick = level_pick(menu_levels[m], {1, 2, 3});
        const auto slot = static_cast<size_t>(std::find(ladder.slots.begin(), ladder.slots.end(), ladder.picks[m]) -
                                              ladder.slots.begin());
        if (pick != static_cast<int32_t>(slot + 1)) {
            std::fprintf(stderr, "assemble_hall_of_fame: level %d picks network %d in the game, not %zu\n",
                         menu_levels[m], pick, slot + 1);
            return {};
        }
        const Candidate& c = *distinct[ladder.picks[m]];
        std::printf("level %2d: network %2d, %s network %d, %.1f %% (%lld wins in %lld games)\n", menu_levels[m],
                    pick, argv[first + 1 + 2 * c.file], c.k, 100.0 * c.wins / c.games, static_cast<long long>(c.wins),
                    static_cast<long long>(c.games));
    }
    for (int32_t level : ladder.flat_levels)
        std::printf("level %d is no stronger than the level below: no candidate made it so\n", level);
    return chosen;
}

} // namespace

int main(int argc, char** argv)
{
    std::string opponent = "wpc";
    bool graded = false;
    double weakest = 0.0;
    int first = 1;
    for (;; ++first) {
        if (first < argc && std::strcmp(argv[first], "--graded") == 0) {
            graded = true;
        } else if (first + 1 < argc && std::strcmp(argv[first], "--weakest") == 0) {
            char* end = nullptr;
            weakest = std::strtod(argv[++first], &end);
            if (*end != '\0' || !(weakest >= 0.0 && weakest <= 1.0))
                return usage();
        } else if (first + 1 < argc && std::strcmp(argv[first], "--opponent") == 0) {
            opponent = argv[++first];
        } else {
            break;
        }
    }
    if (argc - first < 3 || (argc - first - 1) % 2 != 0)
        return usage();
    const char* out_path = argv[first];
    const size_t files = static_cast<size_t>(argc - first - 1) / 2;

    std::vector<std::vector<float>> populations(files);
    std::vector<Candidate> candidates;
    for (size_t f = 0; f < files; ++f) {
        const char* file = argv[first + 1 + 2 * f];
        const char* csv = argv[first + 2 + 2 * f];
        if (!read_networks(file, populations[f]) || !read_measures(csv, f, opponent, candidates))
            return 1;
    }
    std::vector<Candidate> ranked = candidates;
    std::sort(ranked.begin(), ranked.end(), ranks_above);
    std::vector<const Candidate*> distinct;
    for (const Candidate& c : ranked) {
        const float* weights = weights_of(populations[c.file], c.k);
        bool repeated = false;
        for (const Candidate* taken : distinct)
            repeated |= std::memcmp(weights, weights_of(populations[taken->file], taken->k), network_bytes) == 0;
        if (!repeated)
            distinct.push_back(&c);
    }
    if (distinct.size() < static_cast<size_t>(networks)) {
        std::fprintf(stderr, "assemble_hall_of_fame: only %zu different networks were measured against %s; 36 needed\n",
                     distinct.size(), opponent.c_str());
        return 1;
    }
    std::vector<const Candidate*> chosen(distinct.begin(), distinct.begin() + networks);
    if (graded && (chosen = ladder_of(distinct, weakest, populations, argv, first)).empty())
        return 1;
    std::vector<float> assembled(population_floats, 0.0f);
    assembled[0] = static_cast<float>(networks); // the replacement slot: the last
    for (size_t s = 0; s < chosen.size(); ++s)
        std::memcpy(assembled.data() + network_base(static_cast<int32_t>(s + 1)) + 1,
                    weights_of(populations[chosen[s]->file], chosen[s]->k), network_bytes);

    if (file_exists(out_path)) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s exists already; nothing written\n", out_path);
        return 1;
    }
    FileReplacement creation;
    const FileResult written = write_image(out_path, assembled[0], assembled.data(), creation, Completion::at_once);
    if (written.status != FileStatus::done) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s %s\n",
                     written.status == FileStatus::cannot_open ? "cannot create" : "writing failed:", out_path);
        return 1;
    }
    std::printf(graded ? "%s: a ladder of %zu networks measured against %s, weakest first\n"
                       : "%s: the 36 strongest of %zu networks against %s, best first\n",
                out_path, candidates.size(), opponent.c_str());
    for (size_t s = 0; s < chosen.size(); ++s) {
        const Candidate& c = *chosen[s];
        std::printf("slot %2zu: %s network %d, %lld wins %lld draws in %lld games\n", s + 1,
                    argv[first + 1 + 2 * c.file], c.k, static_cast<long long>(c.wins), static_cast<long long>(c.draws),
                    static_cast<long long>(c.games));
    }
    return 0;
}
