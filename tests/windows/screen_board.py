"""What a person sees of korvane on an X display, for the Wine checks (tools/wine_checks.sh).

    screen_board.py board SHOT GRILLE   where the whole board image GRILLE (the game's
                                        grille1.bmp) stands in screenshot SHOT, pieces
                                        aside: "X Y", or status 1
    screen_board.py pieces SHOT X Y     the board at X, Y: 8 lines of W, B or .
    screen_board.py legal SHOT X Y      the squares where white may play, "column,row" each
    screen_board.py cursor YES NO       the pointer's shape now: "yes" or "no" when it is
                                        the cursor file YES or NO, else "other"
    screen_board.py wm                  status 0 when a window manager runs

Screenshots are read through ImageMagick's convert; the pointer and the window manager
through the X display (Debian's python3-xlib)."""

import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "system"))
from x_display import ppm_image  # noqa: E402

SIDE = 244  # the board image, white strip included
PITCH = 30
PIECE_CENTRE = 1 + 13  # from a square's line: pieces are 27 pixels wide from 1
EMPTY, WHITE, BLACK = ".", "W", "B"


def read_screenshot(path):
    """(width, height, RGB bytes) of an image file."""
    return ppm_image(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout)


def read_bitmap(path):
    """RGB bytes of each row of a 4-bit BMP file, top row first."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 4, "a 16-colour bitmap"
    palette = [data[54 + 4 * i:54 + 4 * i + 3][::-1] for i in range(16)]
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in range(height):
        line = data[offset + stride * (height - 1 - y):]
        rows.append(b"".join(palette[(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15] for x in range(width)))
    return rows


def uncovered(row):
    """The spans [start, end) of a board image row that no piece covers: pieces are 27
    pixels wide from 1 after each line."""
    if row % PITCH == 0 or row % PITCH > 27 or row > 240:
        return [(0, SIDE)]
    return [(PITCH * k + 28, PITCH * k + 31) for k in range(8)] + [(0, 1), (241, SIDE)]


def find_board(shot, grille):
    width, height, pixels = shot
    top_line = grille[0]
    spans = [uncovered(j) for j in range(SIDE)]
    at = pixels.find(top_line)
    while at >= 0:
        x, y = (at // 3) % width, (at // 3) // width
        if at % 3 == 0 and x + SIDE <= width and y + SIDE <= height:
            if all(pixels[3 * ((y + j) * width + x + a):3 * ((y + j) * width + x + b)] == grille[j][3 * a:3 * b]
                   for j in range(SIDE) for a, b in spans[j]):
                return x, y
        at = pixels.find(top_line, at + 1)
    return None


def read_pieces(shot, left, top):
    width, _, pixels = shot
    board = []
    for row in range(8):
        line = ""
        for column in range(8):
            at = 3 * ((top + PITCH * row + PIECE_CENTRE) * width + left + PITCH * column + PIECE_CENTRE)
            r, g, b = pixels[at:at + 3]
            line += WHITE if min(r, g, b) > 224 else BLACK if max(r, g, b) < 32 else EMPTY
        board.append(line)
    return board


def white_moves(board):
    moves = []
    for row in range(8):
        for column in range(8):
            if board[row][column] != EMPTY:
                continue
            for dx, dy in [(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy]:
                x, y, seen = column + dx, row + dy, 0
                while 0 <= x < 8 and 0 <= y < 8 and board[y][x] == BLACK:
                    x, y, seen = x + dx, y + dy, seen + 1
                if seen and 0 <= x < 8 and 0 <= y < 8 and board[y][x] == WHITE:
                    moves.append("%d,%d" % (column + 1, row + 1))
                    break
    return moves


def cursor_shape(path):
    """The opaque pixels of a 32 x 32 monochrome cursor file, from its hot spot, with
    their colour (True: white)."""
    data = open(path, "rb").read()
    hot_x, hot_y, _, offset = struct.unpack_from("<HHII", data, 10)
    bits = offset + 40 + 8
    shape = {}
    for y in range(32):
        colour = data[bits + 4 * (31 - y):bits + 4 * (31 - y) + 4]
        mask = data[bits + 128 + 4 * (31 - y):bits + 128 + 4 * (31 - y) + 4]
        for x in range(32):
            bit = 0x80 >> (x % 8)
            if not mask[x // 8] & bit:
                shape[(x - hot_x, y - hot_y)] = bool(colour[x // 8] & bit)
    return shape


def shown_cursor():
    from Xlib import display
    from Xlib.ext import xfixes  # noqa: F401 (makes the extension's requests known)
    screen = display.Display()
    screen.xfixes_query_version()  # the server answers nothing else before it
    image = screen.xfixes_get_cursor_image(screen.screen().root)
    shape = {}
    for at, argb in enumerate(image.cursor_image):
        if argb >> 24:
            x, y = at % image.width, at // image.width
            shape[(x - image.xhot, y - image.yhot)] = (argb & 0xFFFFFF) > 0x808080
    return shape


def window_manager_runs():
    from Xlib import X, display
    screen = display.Display()
    root = screen.screen().root
    check = root.get_full_property(screen.intern_atom("_NET_SUPPORTING_WM_CHECK"), X.AnyPropertyType)
    return check is not None and len(check.value) > 0


def main(args):
    command = args[0] if args else ""
    if command == "board" and len(args) == 3:
        found = find_board(read_screenshot(args[1]), read_bitmap(args[2]))
        if found is None:
            return 1
        print("%d %d" % found)
    elif command in ("pieces", "legal") and len(args) == 4:
        board = read_pieces(read_screenshot(args[1]), int(args[2]), int(args[3]))
        print("\n".join(board) if command == "pieces" else " ".join(white_moves(board)))
    elif command == "cursor" and len(args) == 3:
        shown = shown_cursor()
        print("yes" if shown == cursor_shape(args[1]) else "no" if shown == cursor_shape(args[2]) else "other")
    elif command == "wm" and len(args) == 1:
        return 0 if window_manager_runs() else 1
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
