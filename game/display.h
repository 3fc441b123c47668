// The board, the pieces and the three text lines of the main window, and the square
// under the pointer. It only draws and reads the pointer; what a click does is the
// game flow's (game_flow.h). Positions and sizes are given at 96 DPI: everything is
// drawn at the window's multiple (scale.h).
#pragma once
#include <windows.h>

#include <cstdint>

// Left and top edges of the pieces of columns (rows) 1..8, and the square bounds.
constexpr int32_t grid[9] = {1, 31, 61, 91, 121, 151, 181, 211, 241};

// The client area the layout needs: the board image with its white strip (244 x 244), the
// status line (to 480) and the texts beside the board. The main window's outer size is
// made from it for whatever frame the system draws.
constexpr int32_t client_width = 516;
constexpr int32_t client_height = 245;

// The status line, a child window of the main window.
constexpr int32_t status_left = 260;
constexpr int32_t status_top = 10;
constexpr int32_t status_width = 220;
constexpr int32_t status_height = 25;

// The two piece bitmaps with their sizes, held by whoever draws the pieces.
struct PieceBitmaps {
    HBITMAP white_piece;
    BITMAP white_size;
    HBITMAP black_piece;
    BITMAP black_size;
};

// The square under a point of the board image, or 0 for none.
int32_t square_at(int32_t x, int32_t y);
void blit_bitmap(HDC window_dc, HDC memory_dc, HBITMAP bitmap, const BITMAP& size, int32_t x, int32_t y);
// Draws every piece of the current board; empty squares are left as they are.
void draw_pieces(HDC window_dc, HDC memory_dc, const PieceBitmaps& pieces);
void paint_board(HWND window);
void show_texts(HWND window);
// The square under the pointer now (not where a message said it was), or 0 for none.
int32_t square_under_pointer(HWND window);
// Sets the cursor for the square under the pointer and redraws the texts.
void track_pointer(HWND window);
// Redraws the pieces of the current board over what is on the window; empty squares
// are left as they are.
void redraw_pieces(HWND window);
