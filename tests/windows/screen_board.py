"""What a person sees of korvane on an X display, for the Wine checks (tools/wine_checks.sh).

    screen_board.py board SHOT GRILLE [M]   where the whole board image GRILLE (the game's
                                            grille1.bmp) stands in screenshot SHOT, pieces
                                            aside: "X Y", or status 1
    screen_board.py pieces SHOT X Y [M]     the board at X, Y: 8 lines of W, B or .
    screen_board.py legal SHOT X Y [M]      the squares where white may play, "column,row" each
    screen_board.py texts SHOT X Y M        where the texts beside the board at X, Y stand:
                                            for each of their three lines, the box of its dark
                                            pixels from the client area's corner, "L T R B",
                                            or "none"
    screen_board.py cursor YES NO [M]       the pointer's shape now: "yes" or "no" when it is
                                            the cursor file YES or NO, else "other"
    screen_board.py wm                      status 0 when a window manager runs

M is the multiple the game draws at (1 by default): each pixel of the board image and of
the cursor files is then a block of M x M pixels on screen, exactly of its colour.
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


def magnified(rows, multiple):
    """Rows of RGB bytes with each pixel a block of multiple x multiple."""
    wide = [b"".join(row[3 * x:3 * x + 3] * multiple for x in range(len(row) // 3)) for row in rows]
    return [row for row in wide for _ in range(multiple)]


def find_board(shot, grille, multiple):
    width, height, pixels = shot
    side = SIDE * multiple
    grille = magnified(grille, multiple)
    top_line = grille[0]
    spans = [[(a * multiple, b * multiple) for a, b in uncovered(j // multiple)] for j in range(side)]
    at = pixels.find(top_line)
    while at >= 0:
        x, y = (at // 3) % width, (at // 3) // width
        if at % 3 == 0 and x + side <= width and y + side <= height:
            if all(pixels[3 * ((y + j) * width + x + a):3 * ((y + j) * width + x + b)] == grille[j][3 * a:3 * b]
                   for j in range(side) for a, b in spans[j]):
                return x, y
        at = pixels.find(top_line, at + 1)
    return None


def read_pieces(shot, left, top, multiple):
    width, _, pixels = shot
    board = []
    for row in range(8):
        line = ""
        for column in range(8):
            x = left + multiple * (PITCH * column + PIECE_CENTRE)
            y = top + multiple * (PITCH * row + PIECE_CENTRE)
            at = 3 * (y * width + x)
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


# The texts' lines (their tops at 96 DPI) and the right edge of the client area.
TEXT_TOPS = (100, 140, 160, 180)
TEXTS_LEFT = 244
CLIENT_RIGHT = 516


def text_boxes(shot, left, top, multiple):
    """For each text line, the box (left, top, right, bottom) of its dark pixels, from the
    client area's corner, or None."""
    width, height, pixels = shot
    boxes = []
    for line in range(3):
        y_from, y_to = top + multiple * TEXT_TOPS[line], top + multiple * TEXT_TOPS[line + 1]
        x_from, x_to = left + multiple * TEXTS_LEFT, min(width, left + multiple * CLIENT_RIGHT)
        dark = [(x, y) for y in range(y_from, min(y_to, height)) for x in range(x_from, x_to)
                if max(pixels[3 * (y * width + x):3 * (y * width + x) + 3]) < 128]
        if not dark:
            boxes.append(None)
            continue
        xs, ys = [x for x, _ in dark], [y for _, y in dark]
        boxes.append((min(xs) - left, min(ys) - top, max(xs) + 1 - left, max(ys) + 1 - top))
    return boxes


def cursor_shape(path, multiple):
    """The opaque pixels of a 32 x 32 monochrome cursor file, from its hot spot, with
    their colour (True: white), each a block of multiple x multiple: Windows stretches the
    file so, and its hot spot with it."""
    data = open(path, "rb").read()
    hot_x, hot_y, _, offset = struct.unpack_from("<HHII", data, 10)
    bits = offset + 40 + 8
    shape = {}
    for y in range(32 * multiple):
        row = 31 - y // multiple
        colour = data[bits + 4 * row:bits + 4 * row + 4]
        mask = data[bits + 128 + 4 * row:bits + 128 + 4 * row + 4]
        for x in range(32 * multiple):
            bit = 0x80 >> (x // multiple % 8)
            if not mask[x // multiple // 8] & bit:
                shape[(x - hot_x * multiple, y - hot_y * multiple)] = bool(colour[x // multiple // 8] & bit)
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


def multiple_at(args, index):
    return int(args[index]) if len(args) > index else 1


def main(args):
    command = args[0] if args else ""
    if command == "board" and len(args) in (3, 4):
        found = find_board(read_screenshot(args[1]), read_bitmap(args[2]), multiple_at(args, 3))
        if found is None:
            return 1
        print("%d %d" % found)
    elif command in ("pieces", "legal") and len(args) in (4, 5):
        board = read_pieces(read_screenshot(args[1]), int(args[2]), int(args[3]), multiple_at(args, 4))
        print("\n".join(board) if command == "pieces" else " ".join(white_moves(board)))
    elif command == "texts" and len(args) == 5:
        boxes = text_boxes(read_screenshot(args[1]), int(args[2]), int(args[3]), int(args[4]))
        print("\n".join("none" if box is None else "%d %d %d %d" % box for box in boxes))
    elif command == "cursor" and len(args) in (3, 4):
        shown, multiple = shown_cursor(), multiple_at(args, 3)
        print("yes" if shown == cursor_shape(args[1], multiple) else
              "no" if shown == cursor_shape(args[2], multiple) else "other")
    elif command == "wm" and len(args) == 1:
        return 0 if window_manager_runs() else 1
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
