// The reference opponents that the strength tool measures networks against. Their
// random choices come from the tools' own random source; they play in the measured
// game (protocol_kernel.h).
//
// An opponent's code (its number below) names it in the seeds of the games and in the
// panels that evolve's checkpoints keep: codes are never changed nor reused.
#pragma once
#include <cstdint>
#include <string>

enum class Opponent : int32_t {
    random = 1,   // a uniformly random legal move
    greedy,       // the legal move that turns the most pieces, ties drawn at random
    wpc,          // one ply: the move whose resulting position the WPC values highest
    wpc_ab2,      // alpha-beta over 2 plies with the WPC at the leaves
    wpc_ab4,      // the same over 4 plies
    mobility,     // one ply of the mobility evaluation (mobility_value below)
    mobility_ab2, // alpha-beta over 2 plies with the mobility evaluation at the leaves
    mobility_ab4, // the same over 4 plies
    novice,       // one ply of the novice's square values (square_tables.h)
    quiet,        // one ply of the quiet player's square values (square_tables.h)
};
// The opponents with a name of their own; the seeded family of tables comes besides them.
inline constexpr Opponent named_opponents[] = {Opponent::random,   Opponent::greedy,       Opponent::wpc,
                                               Opponent::wpc_ab2,  Opponent::wpc_ab4,      Opponent::mobility,
                                               Opponent::mobility_ab2, Opponent::mobility_ab4, Opponent::novice,
                                               Opponent::quiet};

// The family of square-value tables (square_tables.h): "table-N" plays table N one ply
// like `wpc`, "table-N-ab2" searches 2 plies with it like `wpc-ab2`, N from 1 to
// largest_table. Their codes are family_code + N and 2 * family_code + N.
constexpr int32_t largest_table = 999999;
constexpr int32_t family_code = 1000000;
// The member of the family that plays table `n` (1 .. largest_table) over `plies` (1 or 2).
constexpr Opponent table_opponent(int32_t n, int32_t plies) { return static_cast<Opponent>(plies * family_code + n); }
// N for a member of the family, 0 for a named opponent.
constexpr int32_t table_number(Opponent opponent)
{
    const auto code = static_cast<int32_t>(opponent);
    return code > family_code ? code % family_code : 0;
}

// "random", "wpc-ab2", "table-17", "table-17-ab2", ...
std::string opponent_name(Opponent opponent);
// False when `name` names no opponent (N of a table without leading zeros).
bool opponent_from_name(const std::string& name, Opponent& opponent);
// False when `code` is no opponent's code.
bool opponent_from_code(int32_t code, Opponent& opponent);
// The names as the programs' messages list them.
constexpr const char* opponent_names_text =
    "random, greedy, wpc, wpc-ab2, wpc-ab4, mobility, mobility-ab2, mobility-ab4, novice, quiet, table-N, "
    "table-N-ab2 (N 1 to 999999)";

// How an opponent chooses: at random, by the pieces turned, or by searching `plies`
// plies (1: the position after each move) with an evaluation of square values or of
// mobility.
enum class Style : int32_t { random, greedy, squares, mobility };
Style opponent_style(Opponent opponent);
int32_t opponent_plies(Opponent opponent); // 0 for random and greedy

// The weighted-piece-counter heuristic (WPC) values a position for the side to move
// as the sum of the weights of its pieces minus the sum over the opponent's pieces.
// The weights are held in hundredths, so that sums are exact integers and equal values
// are truly equal; row 1 (the top row) first, columns 1 to 8.
constexpr int32_t wpc_rows[8][8] = {
    {100, -25, 10, 5, 5, 10, -25, 100}, {-25, -25, 1, 1, 1, 1, -25, -25}, {10, 1, 5, 2, 2, 5, 1, 10},
    {5, 1, 2, 1, 1, 2, 1, 5},           {5, 1, 2, 1, 1, 2, 1, 5},         {10, 1, 5, 2, 2, 5, 1, 10},
    {-25, -25, 1, 1, 1, 1, -25, -25},   {100, -25, 10, 5, 5, 10, -25, 100}};
constexpr int32_t wpc_weight(int32_t square) { return wpc_rows[(square - 1) / 8][(square - 1) % 8]; }

// The mobility evaluation values a position for the side to move at mobility_move_value
// for each legal move of the side minus each of the opponent's, and mobility_corner_value
// for each corner the side holds minus each the opponent holds, in hundredths like the
// tables.
constexpr int32_t mobility_move_value = 10;
constexpr int32_t mobility_corner_value = 100;

// A finished game (neither side can move) is worth this to the side with more pieces,
// its negative to the other, 0 when the counts are equal: more than any evaluation.
constexpr int32_t finished_game_value = 100000;

// On the current board, for the tests; `opponent` values squares or mobility. Its
// evaluation of the position for `side`:
int32_t evaluation_value(Opponent opponent, uint8_t side);
// The alpha-beta value of the position for `side` to move over the opponent's plies:
// a pass is a ply, a finished game is worth +-finished_game_value, and the leaves get
// the evaluation.
int32_t search_value(Opponent opponent, uint8_t side);
// The legal squares of `side` that share the best value for the opponent, in ascending
// order, and their count (0 when `side` cannot move): one ply values the position
// after each move by the evaluation (finished or not), deeper plies search it.
int32_t best_squares(Opponent opponent, uint8_t side, int32_t (&squares)[64]);
