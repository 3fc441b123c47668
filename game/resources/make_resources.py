#!/usr/bin/env python3
"""Draws the game's bitmaps, icon and cursors and writes them as Windows image files.

    python3 game/resources/make_resources.py [DIR]          write the files into DIR
    python3 game/resources/make_resources.py --check [DIR]  compare the files in DIR with a fresh drawing
    python3 game/resources/make_resources.py --icons DIR    write the desktop icons as PNG files into
                                                   DIR/hicolor/NxN/apps/ (the build does this)

DIR defaults to game/resources. The output depends on nothing but this script, so the
committed files can be checked against it byte for byte.
"""

import argparse
import pathlib
import struct
import sys
import zlib

# The standard 16-colour Windows palette, as (red, green, blue).
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK = 0
DARK_GREEN = 2
LIGHT_GREY = 7
WHITE = 15

PALETTE_2 = [(0, 0, 0), (255, 255, 255)]

GRID_PITCH = 30
GRID_LAST_LINE = 240

CURSOR_SIZE = 32
CURSOR_HOT_SPOT = (15, 15)

# The desktop icon: its name in the icon theme and the sizes drawn for it.
DESKTOP_ICON_NAME = "org.elvarin.korvane"
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


# ---- pictures: lists of rows, top row first, one palette index per pixel ----

def draw_grid():
    """244 x 244 board: black lines every 30 pixels, grey squares, white strip at 241..243."""
    size = 244

    def pixel(x, y):
        if x > GRID_LAST_LINE or y > GRID_LAST_LINE:
            return WHITE
        if x % GRID_PITCH == 0 or y % GRID_PITCH == 0:
            return BLACK
        return LIGHT_GREY

    return [[pixel(x, y) for x in range(size)] for y in range(size)]


def disc_mask(size, centre, radius):
    """Pixels whose centre lies within radius of centre (both in pixel units)."""
    return [[(x - centre) ** 2 + (y - centre) ** 2 <= radius * radius for x in range(size)]
            for y in range(size)]


def on_edge(mask, x, y):
    """A set pixel with a 4-neighbour outside the mask."""
    size = len(mask)
    for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
        if not (0 <= nx < size and 0 <= ny < size and mask[ny][nx]):
            return True
    return False


def draw_piece(fill):
    """27 x 27 piece on grey: a disc 17 pixels across (6..22), ringed in black."""
    size = 27
    disc = disc_mask(size, 14, 8.5)

    def pixel(x, y):
        if not disc[y][x]:
            return LIGHT_GREY
        return BLACK if on_edge(disc, x, y) else fill

    return [[pixel(x, y) for x in range(size)] for y in range(size)]


def draw_icon(size):
    """The four centre squares of an opening position: a 2 x 2 green board with its pieces."""
    pitch = (size - 2) // 2
    lines = (1, 1 + pitch, 1 + 2 * pitch)
    radius = (pitch - 1) / 2 - 0.6
    pieces = {(0, 0): WHITE, (1, 1): WHITE, (1, 0): BLACK, (0, 1): BLACK}

    def transparent(x, y):
        """The row and the column outside the first grid line."""
        return x < lines[0] or y < lines[0]

    def pixel(x, y):
        if x in lines or y in lines or transparent(x, y):
            return BLACK
        col, row = (x - 1) // pitch, (y - 1) // pitch
        cx = 1 + pitch * col + pitch / 2
        cy = 1 + pitch * row + pitch / 2
        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
            return pieces[(col, row)]
        return DARK_GREEN

    pixels = [[pixel(x, y) for x in range(size)] for y in range(size)]
    mask = [[transparent(x, y) for x in range(size)] for y in range(size)]
    return pixels, mask


def draw_smooth_icon(size):
    """The icon's picture at any size as RGBA rows: the same 2 x 2 green board with its
    pieces, lines growing with the size, each pixel the mean of 4 x 4 samples."""
    line = max(1.0, size / 32)
    pitch = (size - line) / 2
    radius = (pitch - line) / 2 * 0.8
    pieces = {(0, 0): WHITE, (1, 1): WHITE, (1, 0): BLACK, (0, 1): BLACK}
    samples = 4

    def colour(x, y):
        if x % pitch < line or y % pitch < line:
            return BLACK
        col, row = min(int(x // pitch), 1), min(int(y // pitch), 1)
        cx = pitch * col + (pitch + line) / 2
        cy = pitch * row + (pitch + line) / 2
        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
            return pieces[(col, row)]
        return DARK_GREEN

    def pixel(x, y):
        total = [0, 0, 0]
        for i in range(samples):
            for j in range(samples):
                rgb = PALETTE_16[colour(x + (i + 0.5) / samples, y + (j + 0.5) / samples)]
                total = [t + c for t, c in zip(total, rgb)]
        n = samples * samples
        return tuple((t + n // 2) // n for t in total) + (255,)

    return [[pixel(x, y) for x in range(size)] for y in range(size)]


def icon_rgba(pixels, mask):
    """A palette picture with its transparency mask as RGBA rows."""
    return [[PALETTE_16[p] + ((0,) if clear else (255,)) for p, clear in zip(row, clear_row)]
            for row, clear_row in zip(pixels, mask)]


# Cursor shapes: True where the pointer is drawn in black. A white outline is added around
# them so that they stay visible over black pieces.

def cursor_shape_cross():
    """A plus sign with arms two pixels thick, centred on the hot spot."""
    def inside(x, y):
        on_bar = lambda a: 15 <= a <= 16
        in_span = lambda a: 3 <= a <= 28
        return (on_bar(y) and in_span(x)) or (on_bar(x) and in_span(y))

    return [[inside(x, y) for x in range(CURSOR_SIZE)] for y in range(CURSOR_SIZE)]


def cursor_shape_forbidden():
    """A ring crossed by both diagonals, centred on the hot spot."""
    centre = 15.5

    def inside(x, y):
        dx, dy = x - centre, y - centre
        distance = (dx * dx + dy * dy) ** 0.5
        ring = 9.5 <= distance <= 11.5
        cross = distance < 10 and (abs(dx - dy) <= 1 or abs(dx + dy) <= 1)
        return ring or cross

    return [[inside(x, y) for x in range(CURSOR_SIZE)] for y in range(CURSOR_SIZE)]


def cursor_planes(shape):
    """XOR (colour) and AND (transparency) planes: black shape, white outline, clear elsewhere."""
    size = len(shape)

    def outline(x, y):
        return any(0 <= x + dx < size and 0 <= y + dy < size and shape[y + dy][x + dx]
                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    xor = [[1 if (outline(x, y) and not shape[y][x]) else 0 for x in range(size)]
           for y in range(size)]
    and_mask = [[not outline(x, y) for x in range(size)] for y in range(size)]
    return xor, and_mask


# ---- file formats ----

def pack_rows(rows, bits):
    """Bottom-up rows of packed pixels, each row padded to a multiple of four bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for row in reversed(rows):
        packed = bytearray()
        for start in range(0, len(row), per_byte):
            byte = 0
            for i, value in enumerate(row[start:start + per_byte]):
                byte |= int(value) << (8 - bits * (i + 1))
            packed.append(byte)
        packed.extend(b"\0" * (-len(packed) % 4))
        out += packed
    return bytes(out)


def info_header(width, height, bits, image_size):
    """BITMAPINFOHEADER; no compression, all palette entries used."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def bmp_file(rows):
    """A 16-colour BMP file."""
    height, width = len(rows), len(rows[0])
    pixels = pack_rows(rows, 4)
    head = info_header(width, height, 4, len(pixels)) + palette_bytes(PALETTE_16)
    offset = 14 + len(head)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + head + pixels


def icon_image(pixels, mask, bits, palette):
    """One image of an icon or cursor file: header of double height, palette, XOR, AND."""
    size = len(pixels)
    xor = pack_rows(pixels, bits)
    and_plane = pack_rows(mask, 1)
    head = info_header(size, 2 * size, bits, len(xor) + len(and_plane))
    return head + palette_bytes(palette) + xor + and_plane


def ico_file(images):
    """A .ico file of 16-colour images, each given as (pixels, mask)."""
    blobs = [icon_image(pixels, mask, 4, PALETTE_16) for pixels, mask in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (pixels, _), blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def cur_file(shape):
    """A .cur file with one 32 x 32 monochrome image."""
    xor, and_mask = cursor_planes(shape)
    blob = icon_image(xor, and_mask, 1, PALETTE_2)
    hot_x, hot_y = CURSOR_HOT_SPOT
    entry = struct.pack("<BBBBHHII", CURSOR_SIZE, CURSOR_SIZE, 2, 0, hot_x, hot_y, len(blob), 22)
    return struct.pack("<HHH", 0, 2, 1) + entry + blob


def png_file(rows):
    """An 8-bit RGBA PNG file of rows of (red, green, blue, alpha)."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(value for px in row for value in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def desktop_icons():
    """Theme path -> PNG bytes. The two sizes of the Windows icon are its very pixels; the
    larger ones are drawn smooth."""
    icons = {}
    for size in DESKTOP_ICON_SIZES:
        rows = icon_rgba(*draw_icon(size)) if size in (16, 32) else draw_smooth_icon(size)
        icons[f"hicolor/{size}x{size}/apps/{DESKTOP_ICON_NAME}.png"] = png_file(rows)
    return icons


def all_files():
    """File name -> bytes, for every image the resource script names."""
    return {
        "grille1.bmp": bmp_file(draw_grid()),
        "point_blanc.bmp": bmp_file(draw_piece(WHITE)),
        "point_noir.bmp": bmp_file(draw_piece(BLACK)),
        "korvane.ico": ico_file([draw_icon(32), draw_icon(16)]),
        "oui.cur": cur_file(cursor_shape_cross()),
        "non.cur": cur_file(cursor_shape_forbidden()),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("directory", nargs="?", default="game/resources")
    parser.add_argument("--check", action="store_true",
                        help="report files that differ from a fresh drawing, write nothing")
    parser.add_argument("--icons", action="store_true",
                        help="write the desktop icons (PNG) instead of the Windows images")
    args = parser.parse_args()
    directory = pathlib.Path(args.directory)

    if args.icons:
        for name, data in desktop_icons().items():
            (directory / name).parent.mkdir(parents=True, exist_ok=True)
            (directory / name).write_bytes(data)
        return 0

    if args.check:
        stale = [name for name, data in all_files().items()
                 if not (directory / name).is_file() or (directory / name).read_bytes() != data]
        for name in stale:
            print(f"{directory / name}: differs from what game/resources/make_resources.py draws")
        return 1 if stale else 0

    directory.mkdir(parents=True, exist_ok=True)
    for name, data in all_files().items():
        (directory / name).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
