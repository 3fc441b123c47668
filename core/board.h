// Reversi rules on the current board: opening position, captures, legal moves, piece count.
#pragma once
#include <cstdint>

constexpr uint8_t empty = 0;
constexpr uint8_t white = 1; // colour 1, always moves first
constexpr uint8_t black = 2; // colour 2

constexpr int32_t square_of(int32_t x, int32_t y) { return x + 8 * (y - 1); }
constexpr uint8_t other_colour(uint8_t colour) { return colour == white ? black : white; }

struct PieceCount {
    int32_t white;
    int32_t black;
};

void reset_board();
void find_legal_moves(uint8_t side);
void play_move(int32_t square, uint8_t side);
PieceCount count_pieces();
