// strength: how well the networks of a hall-of-fame file play against reference
// opponents.
//
//   strength [--opponents LIST] [--epsilon E] [--games N] [--seed S] [--opening M]
//            [--levels L,L,...] [--networks [K,K,...]] [--csv FILE] [--jobs J] [file]
//
// Opponents (comma-separated LIST, default random,greedy): random (a uniformly random
// legal move), greedy (the move that turns the most pieces), wpc (one ply of the
// weighted-piece-counter heuristic), wpc-ab2 and wpc-ab4 (alpha-beta over 2 and 4
// plies with that heuristic at the leaves); opponents.h tells them in full.
//
// Players: with --networks, the stored networks K (all 36 without a list), each by
// itself (its best legal output, ties drawn at random); with --levels, the computer
// player of the game at each level L: before every move, networks 1..L play all their
// ordered pairings from the opening, and the first network with the most colour-1
// points picks the move. Without either, level 1.
//
// Each player meets each opponent in N games (default 200); game g gives the player
// white (moving first) when g is even, black when it is odd. The protocol of a game
// (protocol_game.h): M random opening moves, then at every turn of either side that
// can move a random legal move with probability E (default 0), the side's own move
// otherwise; passes are forced, and the game ends when neither side can move. M is 4
// by default without E and 0 with it: the field's protocol (E = 0.1) varies the games
// by itself.
//
// Every game is seeded from (S, player, opponent, game number), so the results of a
// seed do not depend on what else is measured in the same run nor on the number of
// processes: the games are spread over J processes (default: every processor when
// there are 100 games or more). A line on standard error tells the progress of runs
// that last more than a few seconds.
//
// Output: a table on standard output, win, draw and loss rates in per cent with the
// 95 % interval of the win rate; with --csv, also FILE with one row per player and
// opponent: player,opponent,epsilon,games,wins,draws,losses (players "net:K" and
// "level:L", counts from the player's side). Default file "meillfl.don".
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board.h"
#include "file_replacement.h"
#include "game_processes.h"
#include "image_file.h"
#include "number_arguments.h"
#include "lowfile.h"
#include "opponents.h"
#include "outcome_tally.h"
#include "players.h"
#include "protocol_game.h"
#include "shape.h"
#include "tables.h"

namespace {

constexpr int32_t default_opening_moves = 4;
constexpr int32_t games_worth_processes = 100;

struct Options {
    std::vector<Opponent> opponents{Opponent::random, Opponent::greedy};
    Protocol protocol{0.0, -1}; // opening moves -1: the default for the epsilon
    int32_t games = 200;
    uint64_t seed = 1;
    std::vector<int32_t> levels;
    std::vector<int32_t> network_list;
    bool networks_given = false;
    const char* csv = nullptr;
    int32_t jobs = 0; // 0: chosen from the machine and the number of games
    const char* file = "meillfl.don";
};

int usage()
{
    std::fprintf(stderr,
                 "usage: strength [--opponents LIST] [--epsilon E] [--games N] [--seed S] [--opening M]\n"
                 "                [--levels L,L,...] [--networks [K,K,...]] [--csv FILE] [--jobs J] [file]\n"
                 "  opponents: %s (default random,greedy)\n%s",
                 opponent_names_text, one_process_note);
    return 2;
}

// "3,1,10": numbers in low..high, at least one.
bool parse_list(const char* text, int32_t low, int32_t high, std::vector<int32_t>& list)
{
    for (const std::string& item : comma_items(text)) {
        int64_t value = 0;
        if (!parse_whole_number(item.c_str(), low, high, value))
            return false;
        list.push_back(static_cast<int32_t>(value));
    }
    return true;
}

bool looks_like_list(const char* text) { return *text != '\0' && std::strspn(text, "0123456789,") == std::strlen(text); }

// False after a message on standard error.
bool parse_options(int argc, char** argv, Options& options)
{
    auto fail = [](const char* what, const char* value) {
        std::fprintf(stderr, "strength: %s: \"%s\"\n", what, value);
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        int64_t value = 0;
        if (arg == "--games" && has_value) {
            if (!parse_whole_number(argv[++i], 1, 100000000, value))
                return fail("--games takes a number of games, 1 or more", argv[i]);
            options.games = static_cast<int32_t>(value);
        } else if (arg == "--seed" && has_value) {
            if (!parse_whole_number(argv[++i], 0, INT64_MAX, value))
                return fail("--seed takes a whole number, 0 or more", argv[i]);
            options.seed = static_cast<uint64_t>(value);
        } else if (arg == "--opening" && has_value) {
            if (!parse_whole_number(argv[++i], 0, 60, value))
                return fail("--opening takes a number of moves, 0 to 60", argv[i]);
            options.protocol.opening_moves = static_cast<int32_t>(value);
        } else if (arg == "--epsilon" && has_value) {
            const char* text = argv[++i];
            double epsilon = 0;
            if (!parse_number(text, epsilon) || !(epsilon >= 0.0 && epsilon <= 1.0))
                return fail("--epsilon takes a probability, 0 to 1", text);
            options.protocol.epsilon = epsilon;
        } else if (arg == "--opponents" && has_value) {
            options.opponents.clear();
            for (const std::string& name : comma_items(argv[++i])) {
                Opponent opponent{};
                if (!opponent_from_name(name, opponent))
                    return fail("no such opponent", name.c_str());
                options.opponents.push_back(opponent);
            }
        } else if (arg == "--levels" && has_value) {
            if (!parse_list(argv[++i], 1, networks, options.levels))
                return fail("--levels takes levels 1 to 36, separated by commas", argv[i]);
        } else if (arg == "--networks") {
            options.networks_given = true;
            if (has_value && looks_like_list(argv[i + 1]) && !parse_list(argv[++i], 1, networks, options.network_list))
                return fail("--networks takes networks 1 to 36, separated by commas", argv[i]);
        } else if (arg == "--csv" && has_value) {
            options.csv = argv[++i];
        } else if (arg == "--jobs" && has_value) {
            if (!parse_whole_number(argv[++i], 1, largest_jobs, value))
                return fail("--jobs takes a number of processes, 1 or more", argv[i]);
            options.jobs = static_cast<int32_t>(value);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option or missing value", arg.c_str());
        } else {
            options.file = argv[i];
        }
    }
    if (options.networks_given && options.network_list.empty())
        for (int32_t k = 1; k <= networks; ++k)
            options.network_list.push_back(k);
    if (options.levels.empty() && !options.networks_given)
        options.levels = {1};
    if (options.protocol.opening_moves < 0)
        options.protocol.opening_moves = options.protocol.epsilon > 0.0 ? 0 : default_opening_moves;
    return true;
}

// Wilson score interval of a proportion, 95 %.
std::pair<double, double> wilson(int32_t successes, int32_t n)
{
    const double z = 1.959964;
    const double p = static_cast<double>(successes) / n;
    const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4.0 * n * n)) / (1 + z * z / n);
    return {centre - half, centre + half};
}

void print_row(const std::string& name, const std::vector<Tally>& tallies)
{
    std::printf("%-12s", name.c_str());
    for (const Tally& tally : tallies) {
        const auto [low, high] = wilson(tally.wins, tally.games());
        std::printf("  %5.1f %5.1f %5.1f  [%4.1f-%5.1f]", 100.0 * tally.wins / tally.games(),
                    100.0 * tally.draws / tally.games(), 100.0 * tally.losses / tally.games(), 100 * low,
                    100 * high);
    }
    std::printf("\n");
}

std::string player_label(const Player& player)
{
    return (player.kind == Player::Kind::network ? "net:" : "level:") + std::to_string(player.number);
}

std::string player_title(const Player& player)
{
    return (player.kind == Player::Kind::network ? "network " : "level ") + std::to_string(player.number);
}

// Replaced whole (file_replacement.h), so that FILE is never left half written.
bool write_csv(const char* path, const Options& options, const std::vector<Player>& players,
               const std::vector<std::vector<Tally>>& tallies)
{
    std::string text = "player,opponent,epsilon,games,wins,draws,losses\n";
    for (size_t p = 0; p < players.size(); ++p)
        for (size_t o = 0; o < options.opponents.size(); ++o) {
            const Tally& t = tallies[p][o];
            char row[160];
            std::snprintf(row, sizeof row, "%s,%s,%g,%d,%d,%d,%d\n", player_label(players[p]).c_str(),
                          opponent_name(options.opponents[o]).c_str(), options.protocol.epsilon, t.games(), t.wins,
                          t.draws, t.losses);
            text += row;
        }
    if (!replace_file_with(path, text.data(), text.size())) {
        std::fprintf(stderr, "strength: cannot write %s\n", path);
        return false;
    }
    return true;
}

// The progress line on standard error: from the third second on, once a second on a
// terminal (rewritten in place), every half minute elsewhere.
class ProgressLine {
public:
    explicit ProgressLine(int32_t total) : total_(total), on_terminal_(standard_error_is_terminal()) {}

    void update(int32_t done)
    {
        const double elapsed = seconds_since(start_);
        const double interval = on_terminal_ ? 1.0 : 30.0;
        if (elapsed < 3.0 || seconds_since(last_) < interval || done == 0)
            return;
        last_ = Clock::now();
        const double left = elapsed * (total_ - done) / done;
        std::fprintf(stderr, "strength: %d of %d games, %.0f s, about %.0f s left%s", done, total_, elapsed, left,
                     on_terminal_ ? "   \r" : "\n");
        shown_ = true;
    }

    void finish()
    {
        if (shown_ && on_terminal_)
            std::fprintf(stderr, "%60s\r", "");
    }

private:
    using Clock = std::chrono::steady_clock;
    static double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }
    int32_t total_;
    bool on_terminal_;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_ = Clock::now();
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse_options(argc, argv, options))
        return usage();

    if (options.jobs > 0 && *one_process_note != '\0')
        std::fprintf(stderr, "strength: %s", one_process_note);
    if (options.csv)
        remove_stale_replacements(options.csv); // left by a run killed while it wrote the CSV
    // The file is only read, as the game reads it.
    allocate_core_tables();
    if (read_image(options.file, current_population, Access::read_only).status != FileStatus::done) {
        std::fprintf(stderr, "strength: %s is not a complete hall-of-fame file\n", options.file);
        return 1;
    }

    std::vector<Player> players;
    for (int32_t k : options.network_list)
        players.push_back({Player::Kind::network, k});
    for (int32_t level : options.levels)
        players.push_back({Player::Kind::level, level});
    const auto opponent_count = static_cast<int32_t>(options.opponents.size());
    const int32_t games = options.games;
    const int64_t total = static_cast<int64_t>(players.size()) * opponent_count * games;
    if (total > most_games_at_once) {
        std::fprintf(stderr, "strength: too many games in one run\n");
        return usage();
    }

    // Game t: player t / (opponents x games), opponent (t / games) mod opponents, number t mod games.
    auto play = [&](int32_t t) {
        const Player& player = players[static_cast<size_t>(t / (opponent_count * games))];
        const Opponent opponent = options.opponents[static_cast<size_t>((t / games) % opponent_count)];
        const int32_t game = t % games;
        seed_game(options.seed, player, opponent, game);
        return static_cast<uint8_t>(
            play_protocol_game(player, opponent, game % 2 == 0 ? white : black, options.protocol));
    };
    const int32_t jobs = options.jobs > 0 ? options.jobs : total >= games_worth_processes ? processors_online() : 1;
    std::vector<uint8_t> outcomes;
    ProgressLine progress(static_cast<int32_t>(total));
    const bool played = play_games(static_cast<int32_t>(total), jobs, play, outcomes,
                                   [&](int32_t done) {
                                       progress.update(done);
                                       return true;
                                   });
    progress.finish();
    if (!played)
        return 1;

    const std::vector<std::vector<Tally>> tallies = tally_outcomes(outcomes, players.size(), options.opponents.size());

    std::printf("%s, %d games per opponent (half with each colour), %d random opening moves, ", options.file, games,
                options.protocol.opening_moves);
    if (options.protocol.epsilon > 0.0)
        std::printf("random moves with probability %g, ", options.protocol.epsilon);
    std::printf("seed %llu\n", static_cast<unsigned long long>(options.seed));
    std::printf("%-12s", "");
    for (Opponent opponent : options.opponents)
        std::printf("  %-31s", ("vs " + opponent_name(opponent) + ": win draw loss [win 95%]").c_str());
    std::printf("\n");
    std::vector<Tally> all_networks(options.opponents.size());
    for (size_t p = 0; p < players.size(); ++p) {
        print_row(player_title(players[p]), tallies[p]);
        if (players[p].kind == Player::Kind::network)
            for (size_t o = 0; o < options.opponents.size(); ++o)
                all_networks[o].add(tallies[p][o]);
        if (options.network_list.size() > 1 && p + 1 == options.network_list.size())
            print_row("all networks", all_networks);
    }
    std::fflush(stdout);
    if (options.csv && !write_csv(options.csv, options, players, tallies))
        return 1;
    return 0;
}
