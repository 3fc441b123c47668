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
// RATE (0 to 1) of their games, so that level 1 is no weaker than that; at least 36
// must be left.
//
// The header names slot 36 as the one the trainer replaces first. OUT must not exist
// yet; the choice is printed.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "file_replacement.h"
#include "graded_order.h"
#include "image_file.h"
#include "lowfile.h"
#include "number_arguments.h"
#include "population_slots.h"
#include "shape.h"
#include "tables.h"

namespace {

constexpr char csv_header[] = "player,opponent,epsilon,games,wins,draws,losses";

struct Arguments {
    std::string opponent = "wpc";
    bool graded = false;
    bool weakest_given = false;
    double weakest = 0.0;
    const char* out = nullptr;
    std::vector<const char*> files, csvs; // FILE CSV pairs, in order
};

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

// 0 when the command line is understood, otherwise the exit status after a message.
int parse_arguments(int argc, char** argv, Arguments& a)
{
    int first = 1;
    for (;; ++first) {
        if (first < argc && std::strcmp(argv[first], "--graded") == 0) {
            a.graded = true;
        } else if (first + 1 < argc && std::strcmp(argv[first], "--weakest") == 0) {
            a.weakest_given = true;
            if (!parse_number(argv[++first], a.weakest) || !(a.weakest >= 0.0 && a.weakest <= 1.0))
                return usage();
        } else if (first + 1 < argc && std::strcmp(argv[first], "--opponent") == 0) {
            a.opponent = argv[++first];
        } else {
            break;
        }
    }
    if (argc - first < 3 || (argc - first - 1) % 2 != 0)
        return usage();
    if (a.weakest_given && !a.graded) {
        std::fprintf(stderr, "assemble_hall_of_fame: --weakest leaves networks out of a ladder: it needs --graded\n");
        return usage();
    }
    a.out = argv[first];
    for (int i = first + 1; i + 1 < argc; i += 2) {
        a.files.push_back(argv[i]);
        a.csvs.push_back(argv[i + 1]);
    }
    return 0;
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

bool parse_count(const std::string& text, int64_t& value) { return parse_whole_number(text.c_str(), 0, INT64_MAX, value); }

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
    const std::vector<std::string> listed = comma_items(opponents);
    const auto wanted = static_cast<int32_t>(listed.size());
    int32_t seen[networks_bound] = {}; // rows of each network
    Candidate found[networks_bound] = {};
    for (int32_t row = 2; std::getline(in, line); ++row) {
        const std::vector<std::string> fields = comma_items(line);
        int64_t k = 0, games = 0, wins = 0, draws = 0, losses = 0;
        const bool good = fields.size() == 7 && parse_count(fields[3], games) && parse_count(fields[4], wins) &&
                          parse_count(fields[5], draws) && parse_count(fields[6], losses) &&
                          wins + draws + losses == games && games > 0;
        if (!good) {
            std::fprintf(stderr, "assemble_hall_of_fame: %s, line %d: not a row of the strength tool\n", path, row);
            return false;
        }
        if (std::find(listed.begin(), listed.end(), fields[1]) == listed.end() || fields[0].rfind("net:", 0) != 0)
            continue;
        if (!parse_whole_number(fields[0].c_str() + 4, 1, networks, k) || seen[k] == wanted) {
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

bool read_inputs(const Arguments& a, std::vector<std::vector<float>>& populations, std::vector<Candidate>& candidates)
{
    populations.resize(a.files.size());
    for (size_t f = 0; f < a.files.size(); ++f)
        if (!read_networks(a.files[f], populations[f]) || !read_measures(a.csvs[f], f, a.opponent, candidates))
            return false;
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

const float* weights_of(const Candidate& c, const std::vector<std::vector<float>>& populations)
{
    return weights_in(populations[c.file].data(), c.k);
}

// The candidates best first, each network once (the first of those with equal weights).
std::vector<const Candidate*> distinct_ranked(std::vector<Candidate>& ranked,
                                              const std::vector<std::vector<float>>& populations)
{
    std::sort(ranked.begin(), ranked.end(), ranks_above);
    std::vector<const Candidate*> distinct;
    for (const Candidate& c : ranked) {
        bool repeated = false;
        for (const Candidate* taken : distinct)
            repeated |= std::memcmp(weights_of(c, populations), weights_of(*taken, populations), network_bytes) == 0;
        if (!repeated)
            distinct.push_back(&c);
    }
    return distinct;
}

double win_rate(const Candidate& c) { return static_cast<double>(c.wins) / c.games; }

// The picks of the ladder in the current population, played again with the game's
// tournament, and printed; false after a message when one differs.
bool picks_confirmed(const Ladder& ladder, const std::vector<const Candidate*>& pool, const Arguments& a)
{
    std::printf("levels of the menu, the pick of each (the winner of its thinking tournament):\n");
    for (size_t m = 0; m < ladder.picks.size(); ++m) {
        const int32_t pick = level_pick(menu_levels[m], {1, 2, 3});
        const auto slot = static_cast<size_t>(std::find(ladder.slots.begin(), ladder.slots.end(), ladder.picks[m]) -
                                              ladder.slots.begin());
        if (pick != static_cast<int32_t>(slot + 1)) {
            std::fprintf(stderr, "assemble_hall_of_fame: level %d picks network %d in the game, not %zu\n",
                         menu_levels[m], pick, slot + 1);
            return false;
        }
        const Candidate& c = *pool[ladder.picks[m]];
        std::printf("level %2d: network %2d, %s network %d, %.1f %% (%lld wins in %lld games)\n", menu_levels[m],
                    pick, a.files[c.file], c.k, 100.0 * c.wins / c.games, static_cast<long long>(c.wins),
                    static_cast<long long>(c.games));
    }
    for (int32_t level : ladder.flat_levels)
        std::printf("level %d is no stronger than the level below: no candidate made it so\n", level);
    return true;
}

// The ladder's order of the `distinct` networks that win at least --weakest of their
// games, its picks played again with the game's tournament; empty after a message when
// none could be built.
std::vector<const Candidate*> ladder_of(const std::vector<const Candidate*>& distinct, const Arguments& a,
                                        const std::vector<std::vector<float>>& populations)
{
    std::vector<const Candidate*> pool = distinct;
    std::erase_if(pool, [&](const Candidate* c) { return win_rate(*c) < a.weakest; });
    if (pool.size() < static_cast<size_t>(networks)) {
        std::fprintf(stderr,
                     "assemble_hall_of_fame: only %zu of the %zu different networks win at least %g of their games "
                     "(--weakest); a ladder needs 36\n",
                     pool.size(), distinct.size(), a.weakest);
        return {};
    }
    allocate_core_tables();
    std::vector<LadderCandidate> ladder_candidates;
    for (const Candidate* c : pool)
        ladder_candidates.push_back({weights_of(*c, populations), win_rate(*c)});
    const Ladder ladder = graded_order(ladder_candidates);
    if (!ladder.failure.empty()) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s\n", ladder.failure.c_str());
        return {};
    }
    std::vector<const Candidate*> chosen;
    for (size_t slot = 0; slot < ladder.slots.size(); ++slot) {
        chosen.push_back(pool[ladder.slots[slot]]);
        put_network(current_population, static_cast<int32_t>(slot + 1), ladder_candidates[ladder.slots[slot]].weights);
    }
    return picks_confirmed(ladder, pool, a) ? chosen : std::vector<const Candidate*>{};
}

// A new file: never over one that exists.
bool write_assembled(const char* out, const std::vector<const Candidate*>& chosen,
                     const std::vector<std::vector<float>>& populations)
{
    std::vector<float> assembled(population_floats, 0.0f);
    assembled[0] = static_cast<float>(networks); // the replacement slot: the last
    for (size_t s = 0; s < chosen.size(); ++s)
        put_network(assembled.data(), static_cast<int32_t>(s + 1), weights_of(*chosen[s], populations));
    if (file_exists(out)) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s exists already; nothing written\n", out);
        return false;
    }
    FileReplacement creation;
    const FileResult written = write_image(out, assembled[0], assembled.data(), creation, Completion::at_once);
    if (written.status != FileStatus::done) {
        std::fprintf(stderr, "assemble_hall_of_fame: %s %s\n",
                     written.status == FileStatus::cannot_open ? "cannot create" : "writing failed:", out);
        return false;
    }
    return true;
}

void print_choice(const Arguments& a, size_t measured, const std::vector<const Candidate*>& chosen)
{
    std::printf(a.graded ? "%s: a ladder of %zu networks measured against %s, weakest first\n"
                         : "%s: the 36 strongest of %zu networks against %s, best first\n",
                a.out, measured, a.opponent.c_str());
    for (size_t s = 0; s < chosen.size(); ++s) {
        const Candidate& c = *chosen[s];
        std::printf("slot %2zu: %s network %d, %lld wins %lld draws in %lld games\n", s + 1, a.files[c.file], c.k,
                    static_cast<long long>(c.wins), static_cast<long long>(c.draws), static_cast<long long>(c.games));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Arguments a;
    if (const int status = parse_arguments(argc, argv, a); status != 0)
        return status;
    remove_stale_replacements(a.out); // left by a run killed while it wrote the file
    std::vector<std::vector<float>> populations;
    std::vector<Candidate> candidates;
    if (!read_inputs(a, populations, candidates))
        return 1;
    std::vector<Candidate> ranked = candidates;
    const std::vector<const Candidate*> distinct = distinct_ranked(ranked, populations);
    if (distinct.size() < static_cast<size_t>(networks)) {
        std::fprintf(stderr, "assemble_hall_of_fame: only %zu different networks were measured against %s; 36 needed\n",
                     distinct.size(), a.opponent.c_str());
        return 1;
    }
    std::vector<const Candidate*> chosen(distinct.begin(), distinct.begin() + networks);
    if (a.graded && (chosen = ladder_of(distinct, a, populations)).empty())
        return 1;
    if (!write_assembled(a.out, chosen, populations))
        return 1;
    print_choice(a, candidates.size(), chosen);
    return 0;
}
