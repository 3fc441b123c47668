// strength: how well the networks of a hall-of-fame file play against two reference
// opponents written here: a random mover and a greedy mover (the legal square that
// turns the most pieces, ties drawn at random).
//
//   strength [--games N] [--seed S] [--opening M] [--levels L,L,...] [--networks] [file]
//
// Each player meets each opponent in N games, half with white and half with black.
// Every game opens with M random moves (default 4), so that players which never
// draw at random still meet many different positions.
// The players: with --networks, every stored network by itself (its best output,
// ties drawn at random); and the computer player of the game at each level L:
// before every move networks 1..L play all their ordered pairings from the opening,
// and the winner (colour-1 points only, ties to the lowest number) picks the move.
// Results are reproducible for a given seed. Default file "meillfl.don".
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "all_play_all.h"
#include "board.h"
#include "image_file.h"
#include "match.h"
#include "network.h"
#include "random.h"
#include "shape.h"
#include "tables.h"
#include "tournament_choice.h"

namespace {

std::vector<float> population(population_floats);
std::vector<float> activation(activation_floats);
std::vector<uint8_t> live_board(board_cells), scratch_board(board_cells), legal(board_cells);
std::vector<int16_t> scores(networks_bound);

using Player = int32_t (*)(uint8_t side, int32_t parameter);
int32_t opening_moves = 4;

int32_t legal_count(uint8_t side)
{
    find_legal_moves(side);
    int32_t count = 0;
    for (int32_t s = 1; s <= 64; ++s)
        count += legal_move_map[s];
    return count;
}

int32_t random_mover(uint8_t side, int32_t)
{
    const int32_t count = legal_count(side);
    int32_t k = draw_random() % count;
    for (int32_t s = 1; s <= 64; ++s)
        if (legal_move_map[s] && k-- == 0)
            return s;
    return 0;
}

int32_t greedy_mover(uint8_t side, int32_t)
{
    find_legal_moves(side);
    const std::vector<uint8_t> map(legal_move_map, legal_move_map + board_cells);
    const std::vector<uint8_t> before(current_board, current_board + board_cells);
    int32_t best[64], ties = 0, best_turned = -1;
    for (int32_t s = 1; s <= 64; ++s) {
        if (!map[s])
            continue;
        play_move(s, side);
        int32_t turned = 0;
        for (int32_t c = 1; c <= 64; ++c)
            turned += before[c] != side && before[c] != empty && current_board[c] == side;
        std::copy(before.begin(), before.end(), current_board);
        if (turned > best_turned) {
            best_turned = turned;
            ties = 0;
        }
        if (turned == best_turned)
            best[ties++] = s;
    }
    return ties == 0 ? 0 : best[draw_random() % ties];
}

int32_t network_player(uint8_t side, int32_t k)
{
    encode_inputs(side);
    evaluate_network(k);
    return choose_move(side);
}

// The game's computer player at level L, as korvane runs it (before a ranking): the
// thinking tournament of networks 1..L, colour 1's points only, on the spare board.
int32_t level_player(uint8_t side, int32_t level)
{
    return tournament_choice(side, [level] { play_ordered_pairs(level, false); });
}

struct Tally {
    int32_t wins = 0, draws = 0, losses = 0;
    int32_t games() const { return wins + draws + losses; }
};

// One game from the opening; the player has `colour`. A side without a move passes,
// and the game ends when neither side can move.
void play_game(Player player, int32_t parameter, Player opponent, uint8_t colour, Tally& tally)
{
    current_board = live_board.data();
    reset_board();
    uint8_t side = white;
    int32_t passes = 0;
    for (int32_t moves = 0; passes < 2; ++moves) {
        if (legal_count(side) == 0) {
            ++passes;
        } else {
            passes = 0;
            const int32_t s = moves < opening_moves ? random_mover(side, 0)
                              : side == colour      ? player(side, parameter)
                                                    : opponent(side, 0);
            if (s != 0)
                play_move(s, side);
        }
        side = other_colour(side);
    }
    const PieceCount count = count_pieces();
    const int32_t own = colour == white ? count.white : count.black;
    const int32_t theirs = colour == white ? count.black : count.white;
    (own > theirs ? tally.wins : own == theirs ? tally.draws : tally.losses) += 1;
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

void print_row(const std::string& name, const Tally (&tallies)[2])
{
    std::printf("%-12s", name.c_str());
    for (const Tally& tally : tallies) {
        const auto [low, high] = wilson(tally.wins, tally.games());
        std::printf("  %5.1f %5.1f %5.1f  [%4.1f-%5.1f]", 100.0 * tally.wins / tally.games(),
                    100.0 * tally.draws / tally.games(), 100.0 * tally.losses / tally.games(), 100 * low,
                    100 * high);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Plays `games` games against each opponent, adds them to `totals` and prints a row.
void report(const std::string& name, Player player, int32_t parameter, int32_t games, Tally (&totals)[2])
{
    Tally tallies[2];
    const Player opponents[2] = {random_mover, greedy_mover};
    for (int o = 0; o < 2; ++o) {
        for (int32_t g = 0; g < games; ++g)
            play_game(player, parameter, opponents[o], g % 2 == 0 ? white : black, tallies[o]);
        totals[o].wins += tallies[o].wins;
        totals[o].draws += tallies[o].draws;
        totals[o].losses += tallies[o].losses;
    }
    print_row(name, tallies);
}

int usage()
{
    std::fprintf(stderr, "usage: strength [--games N] [--seed S] [--opening M] [--levels L,L,...] [--networks] [file]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int32_t games = 200;
    uint32_t seed = 1;
    std::vector<int32_t> levels;
    bool each_network = false;
    const char* file = "meillfl.don";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--games" && i + 1 < argc)
            games = std::atoi(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--levels" && i + 1 < argc)
            for (char* item = std::strtok(argv[++i], ","); item; item = std::strtok(nullptr, ","))
                levels.push_back(std::atoi(item));
        else if (arg == "--opening" && i + 1 < argc)
            opening_moves = std::atoi(argv[++i]);
        else if (arg == "--networks")
            each_network = true;
        else if (arg[0] == '-')
            return usage();
        else
            file = argv[i];
    }
    for (int32_t level : levels)
        if (level < 1 || level > networks)
            return usage();
    if (games < 2)
        return usage();
    if (levels.empty() && !each_network)
        levels = {1};

    // The file is only read.
    if (read_image(file, population.data(), Access::read_only).status != FileStatus::done) {
        std::fprintf(stderr, "strength: %s is not a complete hall-of-fame file\n", file);
        return 1;
    }
    current_population = population.data();
    activations = activation.data();
    legal_move_map = legal.data();
    spare_board = scratch_board.data();
    score_table = scores.data();
    seed_random(seed);

    std::printf("%s, %d games per opponent (half with each colour), %d random opening moves, seed %u\n", file,
                games, opening_moves, seed);
    std::printf("%-12s  %-31s  %-31s\n", "", "vs random: win draw loss [win 95%]", "vs greedy: win draw loss [win 95%]");
    if (each_network) {
        Tally all[2];
        for (int32_t k = 1; k <= networks; ++k)
            report("network " + std::to_string(k), network_player, k, games, all);
        print_row("all networks", all);
    }
    for (int32_t level : levels) {
        Tally unused[2];
        report("level " + std::to_string(level), level_player, level, games, unused);
    }
    return 0;
}
