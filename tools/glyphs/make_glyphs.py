#!/usr/bin/env python3
"""Turns the text pictures in this folder (*.txt) into the 16-colour BMP files of resources/bitmaps/.

Text picture format (one file per bitmap, the file name without .txt is the resource name):
    # comments and blank lines are ignored
    size <width> <height>
    transparent <letter>      the colour '.' stands for (by convention the bottom-left pixel)
    <height> rows of <width> letters, top row first

Letters name the 16 colours of the classic palette (the BMP colour table, in this order):
    K black   R maroon  G green  Y olive   N navy  P purple   T teal  S silver
    D gray    r red     g lime   y yellow  b blue  p fuchsia  t aqua  W white

Usage: make_glyphs.py [--out DIR] [--preview DIR] [--sheet FILE.png] [--scale N]
The BMP files are what the program embeds; --preview also writes enlarged PNGs for looking at, and
--sheet one PNG with every picture (in file name order, eight a row) over the button face colour,
as the palette shows them.
"""
import argparse
import glob
import os
import struct
import sys
import zlib

PALETTE = [
    ("K", (0x00, 0x00, 0x00)), ("R", (0x80, 0x00, 0x00)), ("G", (0x00, 0x80, 0x00)), ("Y", (0x80, 0x80, 0x00)),
    ("N", (0x00, 0x00, 0x80)), ("P", (0x80, 0x00, 0x80)), ("T", (0x00, 0x80, 0x80)), ("S", (0xC0, 0xC0, 0xC0)),
    ("D", (0x80, 0x80, 0x80)), ("r", (0xFF, 0x00, 0x00)), ("g", (0x00, 0xFF, 0x00)), ("y", (0xFF, 0xFF, 0x00)),
    ("b", (0x00, 0x00, 0xFF)), ("p", (0xFF, 0x00, 0xFF)), ("t", (0x00, 0xFF, 0xFF)), ("W", (0xFF, 0xFF, 0xFF)),
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}


def read_picture(path):
    width = height = None
    transparent = None
    rows = []
    with open(path) as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            words = line.split()
            if words[0] == "size":
                width, height = int(words[1]), int(words[2])
            elif words[0] == "transparent":
                transparent = words[1]
                if transparent not in INDEX:
                    sys.exit(f"{path}:{number}: unknown colour letter {transparent!r}")
            else:
                rows.append((number, line.strip()))
    if width is None or transparent is None:
        sys.exit(f"{path}: needs 'size' and 'transparent' lines")
    if len(rows) != height:
        sys.exit(f"{path}: {len(rows)} rows, {height} expected")
    pixels = []
    for number, row in rows:
        if len(row) != width:
            sys.exit(f"{path}:{number}: {len(row)} letters, {width} expected")
        indexes = []
        for ch in row:
            if ch == ".":
                ch = transparent
            if ch not in INDEX:
                sys.exit(f"{path}:{number}: unknown colour letter {ch!r}")
            indexes.append(INDEX[ch])
        pixels.append(indexes)
    if pixels[-1][0] != INDEX[transparent]:
        sys.exit(f"{path}: the bottom-left pixel must be the transparent colour")
    return width, height, pixels


def bmp_bytes(width, height, pixels):
    row_bytes = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(pixels):  # bottom-up
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        bits += packed
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 3780, 3780, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + table + bytes(bits)


def png_bytes(width, height, pixels, scale):
    return png_rgb(width, height, [[PALETTE[index][1] for index in row] for row in pixels], scale)


def png_rgb(width, height, rows, scale):
    raw = bytearray()
    for row in rows:
        line = bytearray([0])
        for rgb in row:
            line += bytes(rgb) * scale
        raw += bytes(line) * scale
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def sheet_rows(pictures, per_row=8, cell=28):
    """The pictures laid out in a grid; transparent pixels show the button face, cells are framed."""
    face, frame = (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80)
    count_rows = (len(pictures) + per_row - 1) // per_row
    width, height = per_row * cell + 1, count_rows * cell + 1
    rows = [[face] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if x % cell == 0 or y % cell == 0:
                rows[y][x] = frame
    for n, (transparent, w, h, pixels) in enumerate(pictures):
        left = (n % per_row) * cell + 1 + (cell - 1 - w) // 2
        top = (n // per_row) * cell + 1 + (cell - 1 - h) // 2
        for y in range(h):
            for x in range(w):
                if pixels[y][x] != transparent:
                    rows[top + y][left + x] = PALETTE[pixels[y][x]][1]
    return width, height, rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "..", "resources", "bitmaps"))
    parser.add_argument("--preview")
    parser.add_argument("--sheet")
    parser.add_argument("--scale", type=int, default=8)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    pictures = []
    for path in sorted(glob.glob(os.path.join(here, "*.txt"))):
        name = os.path.splitext(os.path.basename(path))[0]
        width, height, pixels = read_picture(path)
        with open(os.path.join(args.out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(width, height, pixels))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            with open(os.path.join(args.preview, name + ".png"), "wb") as f:
                f.write(png_bytes(width, height, pixels, args.scale))
        if width < 28 and height < 28:  # strips such as MENUIMAGES do not fit a cell
            pictures.append((pixels[-1][0], width, height, pixels))
        print(f"{name}: {width} x {height}")
    if args.sheet:
        width, height, rows = sheet_rows(pictures)
        with open(args.sheet, "wb") as f:
            f.write(png_rgb(width, height, rows, max(1, args.scale // 2)))


if __name__ == "__main__":
    main()
