#include "plain_rules.h"

#include <limits>

#include "board.h"
#include "match.h"
#include "network.h"
#include "random.h"
#include "shape.h"
#include "tables.h"

namespace plain {

namespace {

struct Direction {
    int32_t dx, dy;
};

constexpr Direction legal_test_order[8] = {{0, 1}, {1, 0}, {1, 1}, {-1, -1}, {-1, 0}, {0, -1}, {1, -1}, {-1, 1}};
constexpr Direction flip_order[8] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}};

constexpr bool on_board(int32_t x, int32_t y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

float& weight(int32_t k, int32_t w) { return current_population[network_base(k) + w]; }

void threshold(int32_t first, int32_t last)
{
    for (int32_t e = first; e <= last; ++e)
        activations[e] = activations[e] > 0.0f ? 1.0f : 0.0f;
}

} // namespace

int32_t line_test(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side)
{
    const uint8_t* board = current_board;
    int32_t cx = x + dx;
    int32_t cy = y + dy;
    if (!on_board(cx, cy))
        return 0;
    uint8_t cell = board[square_of(cx, cy)];
    if (cell == empty || cell == side)
        return 0;
    do {
        cx += dx;
        cy += dy;
        if (!on_board(cx, cy))
            return 0;
        cell = board[square_of(cx, cy)];
    } while (cell != empty && cell != side);
    return cell == side ? 1 : 0;
}

void flip_line(int32_t dx, int32_t dy, int32_t x, int32_t y, uint8_t side)
{
    if (!line_test(dx, dy, x, y, side))
        return;
    uint8_t* board = current_board;
    for (int32_t cx = x + dx, cy = y + dy; board[square_of(cx, cy)] != side; cx += dx, cy += dy)
        board[square_of(cx, cy)] = side;
}

void find_legal_moves(uint8_t side)
{
    for (int32_t x = 1; x <= 8; ++x)
        for (int32_t y = 1; y <= 8; ++y) {
            const int32_t s = square_of(x, y);
            uint8_t legal = 0;
            if (current_board[s] == empty)
                for (const Direction& d : legal_test_order)
                    if (line_test(d.dx, d.dy, x, y, side)) {
                        legal = 1;
                        break;
                    }
            legal_move_map[s] = legal;
        }
}

void play_move(int32_t square, uint8_t side)
{
    current_board[square] = side;
    const int32_t x = square % 8 == 0 ? 8 : square % 8;
    const int32_t y = (square - 1) / 8 + 1;
    for (const Direction& d : flip_order)
        flip_line(d.dx, d.dy, x, y, side);
}

void encode_inputs(uint8_t side)
{
    for (int32_t e = inputs + 1; e <= neurons; ++e)
        activations[e] = 0.0f;
    for (int32_t s = 1; s <= 64; ++s) {
        const uint8_t cell = current_board[s];
        activations[2 * s - 1] = (cell != empty && cell != side) ? 1.0f : 0.0f;
        activations[2 * s] = cell == side ? 1.0f : 0.0f;
    }
    activations[side_input] = side == white ? 0.0f : 1.0f;
}

void evaluate_network(int32_t k)
{
    for (int32_t i = 1; i <= inputs; ++i)
        if (activations[i] == 1.0f)
            for (int32_t j = 1; j <= hidden1_units; ++j)
                activations[inputs + j] += weight(k, hidden1_units * (i - 1) + j);
    threshold(inputs + 1, hidden1_end);
    for (int32_t h = 1; h <= hidden1_units; ++h)
        if (activations[inputs + h] == 1.0f)
            for (int32_t m = 1; m <= hidden2_units; ++m)
                activations[hidden1_end + m] += weight(k, hidden2_block + hidden2_units * (h - 1) + m);
    threshold(hidden1_end + 1, hidden2_end);
    for (int32_t h = 1; h <= hidden2_units; ++h)
        if (activations[hidden1_end + h] == 1.0f)
            for (int32_t o = 1; o <= outputs; ++o)
                activations[hidden2_end + o] += weight(k, output_block + outputs * (h - 1) + o);
}

int32_t choose_move(uint8_t side)
{
    for (int32_t s = 0; s < board_cells; ++s)
        legal_move_map[s] = 0;
    find_legal_moves(side);
    uint8_t tie_list[tie_list_size];
    int32_t ties = 0;
    float best = std::numeric_limits<float>::lowest();
    for (int32_t s = 1; s <= 64; ++s) {
        const float v = activations[output_of(s)];
        if (best > v || legal_move_map[s] != 1)
            continue;
        if (v != best) {
            best = v;
            ties = 0;
        }
        tie_list[ties++] = static_cast<uint8_t>(s);
    }
    if (ties == 0)
        return 0;
    if (ties == 1)
        return tie_list[0];
    const int32_t r = draw_random();
    return tie_list[((r + 1) * ties + (random_range - 1)) / random_range - 1];
}

void play_match(int32_t a, int32_t b)
{
    // One network's move: its inputs, its pass and its choice.
    auto move_of = [](int32_t network, uint8_t side) {
        encode_inputs(side);
        evaluate_network(network);
        return choose_move(side);
    };
    int32_t moves = 0;
    for (;;) {
        const int32_t s1 = move_of(a, white);
        if (s1 != 0) {
            play_move(s1, white);
            ++moves;
        }
        const int32_t s2 = move_of(b, black);
        if (s2 != 0) {
            play_move(s2, black);
            ++moves;
        }
        if ((s1 == 0 && s2 == 0) || moves == 60)
            return;
    }
}

} // namespace plain
