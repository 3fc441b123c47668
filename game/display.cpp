#include "display.h"

#include "app_state.h"
#include "board.h"
#include "scale.h"
#include "tables.h"

namespace {
// The bitmap record that GetObjectA fills: 24 bytes on the 32-bit target.
constexpr int bitmap_record_size = sizeof(BITMAP);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(BITMAP) == 24);
#endif

HBITMAP load_bitmap(const char* name, BITMAP& size)
{
    const HBITMAP bitmap = LoadBitmapA(instance_handle, name);
    GetObjectA(bitmap, bitmap_record_size, &size);
    return bitmap;
}

PieceBitmaps load_pieces()
{
    PieceBitmaps pieces{};
    pieces.white_piece = load_bitmap("point_blanc", pieces.white_size);
    pieces.black_piece = load_bitmap("point_noir", pieces.black_size);
    return pieces;
}

// The pointer position relative to the board image, which starts at the client area's
// corner, wherever the frame puts it and whether the window is moved or maximised; in
// pixels of the image, which are blocks of the window's multiple on screen.
POINT board_offset(HWND window)
{
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    ScreenToClient(window, &pointer);
    // Rounded down: the first and the last screen pixel of a block are its image pixel.
    const auto image_pixel = [](LONG screen) { return screen >= 0 ? screen / display_multiple : -1; };
    return POINT{image_pixel(pointer.x), image_pixel(pointer.y)};
}
}

int32_t square_at(int32_t x, int32_t y)
{
    if (x < 0 || x > grid[8] || y < 0 || y > grid[8])
        return 0;
    int32_t column = 0;
    int32_t row = 0;
    for (const int32_t edge : grid) {
        column += edge < x ? 1 : 0;
        row += edge < y ? 1 : 0;
    }
    // Offsets 0 and 1 lie on the outer line, on no square.
    if (column == 0 || row == 0)
        return 0;
    return square_of(column, row);
}

void blit_bitmap(HDC window_dc, HDC memory_dc, HBITMAP bitmap, const BITMAP& size, int32_t x, int32_t y)
{
    SelectObject(memory_dc, bitmap);
    // Each pixel of the bitmap a block of the window's multiple, its colour as it is.
    SetStretchBltMode(window_dc, COLORONCOLOR);
    StretchBlt(window_dc, scaled(x), scaled(y), scaled(size.bmWidth), scaled(size.bmHeight), memory_dc, 0, 0,
               size.bmWidth, size.bmHeight, SRCCOPY);
}

void draw_pieces(HDC window_dc, HDC memory_dc, const PieceBitmaps& pieces)
{
    for (int32_t i = 1; i <= 8; ++i) {
        for (int32_t j = 1; j <= 8; ++j) {
            const uint8_t cell = current_board[square_of(i, j)];
            if (cell == white)
                blit_bitmap(window_dc, memory_dc, pieces.white_piece, pieces.white_size, grid[i - 1], grid[j - 1]);
            else if (cell == black)
                blit_bitmap(window_dc, memory_dc, pieces.black_piece, pieces.black_size, grid[i - 1], grid[j - 1]);
        }
    }
}

void paint_board(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    BITMAP board_size{};
    const HBITMAP board_image = load_bitmap("grille1", board_size);
    const PieceBitmaps pieces = load_pieces();
    // Drawing through the window's own DC repaints the whole board, whatever the
    // update region.
    const HDC window_dc = GetDC(window);
    const HDC memory_dc = CreateCompatibleDC(window_dc);
    blit_bitmap(window_dc, memory_dc, board_image, board_size, 0, 0);
    draw_pieces(window_dc, memory_dc, pieces);
    DeleteDC(memory_dc);
    ReleaseDC(window, window_dc);
    DeleteObject(board_image);
    DeleteObject(pieces.white_piece);
    DeleteObject(pieces.black_piece);
    show_texts(window);
    EndPaint(window, &paint);
}

void show_texts(HWND window)
{
    const HDC dc = GetDC(window);
    SetBkMode(dc, OPAQUE); // the trailing blanks cover what a longer text left
    const HGDIOBJ own_font = text_font != nullptr ? SelectObject(dc, text_font) : nullptr;
    char text[64];
    if (human_colour == white)
        wsprintfA(text, "Vous jouez avec la couleur blanche.  ");
    else
        wsprintfA(text, "Vous jouez avec  la  couleur  noire.  ");
    TextOutA(dc, scaled(250), scaled(100), text, lstrlenA(text));
    const PieceCount count = count_pieces();
    wsprintfA(text, "Score des Noirs  = %d.   ", static_cast<int>(count.black));
    TextOutA(dc, scaled(250), scaled(140), text, lstrlenA(text));
    wsprintfA(text, "Score des Blancs = %d.   ", static_cast<int>(count.white));
    TextOutA(dc, scaled(250), scaled(160), text, lstrlenA(text));
    if (own_font != nullptr)
        SelectObject(dc, own_font);
    ReleaseDC(window, dc);
}

int32_t square_under_pointer(HWND window)
{
    const POINT offset = board_offset(window);
    return square_at(offset.x, offset.y);
}

void track_pointer(HWND window)
{
    const int32_t square = square_under_pointer(window);
    HCURSOR cursor;
    if (square != 0)
        cursor = legal_move_map[square] == 1 ? yes_cursor : no_cursor;
    else
        cursor = LoadCursorA(nullptr, IDC_CROSS); // the class cursor
    SetCursor(cursor);
    show_texts(window);
}

void redraw_pieces(HWND window)
{
    const PieceBitmaps pieces = load_pieces();
    const HDC window_dc = GetDC(window);
    const HDC memory_dc = CreateCompatibleDC(window_dc);
    draw_pieces(window_dc, memory_dc, pieces);
    DeleteDC(memory_dc);
    ReleaseDC(window, window_dc);
    DeleteObject(pieces.white_piece);
    DeleteObject(pieces.black_piece);
}
