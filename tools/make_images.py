#!/usr/bin/env python3
"""Draws the sample game's sprite picture, games/sample/images/sprites.pcx:
an 8-bit PCX of 128 x 32 whose palette is also the yard's tile colours.

Usage: tools/make_images.py [--check] [GAMES_FOLDER]   (default: games/ beside tools/)
With --check nothing is written: the exit status says whether the picture
in the tree is what this script draws.

Each sprite is a block of rows of hex digits (palette indexes, 0 is
see-through) placed at its spot; the object and character definitions cut
their frames from these spots."""
import os
import sys

PALETTE = [
    (0, 0, 0),        # 0 see-through
    (255, 200, 80),   # 1 yellow
    (200, 200, 200),  # 2 light grey
    (60, 40, 20),     # 3 dark brown
    (40, 90, 220),    # 4 sky blue
    (40, 200, 60),    # 5 grass green
    (230, 60, 40),    # 6 red
    (250, 210, 170),  # 7 skin
    (110, 160, 240),  # 8 light sky
    (250, 250, 250),  # 9 white
    (60, 140, 120),   # A far hills
    (130, 85, 45),    # B dirt
    (20, 120, 40),    # C dark green
    (30, 40, 120),    # D dark blue
    (140, 140, 150),  # E stone
    (70, 70, 80),     # F dark grey
]

BALL = """
................
....16666166....
...1666616666...
..166661666616..
.16666166661666.
.66661666616666.
.66616666166661.
.66166661666616.
.61666616666166.
.16666166661666.
.66661666616666.
.66616666166661.
..616666166661..
...6666166661...
....66166661....
................"""

# The walker, facing right: standing, two steps, and in the air.
WALKER_HEAD = """
................
.....666666.....
....66666666....
....6666666666..
....3377F7......
....37777F7.....
....377777777...
.....777777.....
......7777......"""

WALKER_STAND = WALKER_HEAD + """
....66666666....
...6666666666...
..776666666677..
..77DD6666DD77..
..77DDDDDDDD77..
....DDDD1DDD....
....DDDDDDDD....
....DDDDDDDD....
....DDD..DDD....
....DDD..DDD....
....DDD..DDD....
....333..333....
...3333..3333...
...3333..33333.."""

WALKER_STEP = WALKER_HEAD + """
....66666666....
...6666666666...
..6666666666677.
.776DD6666DD.77.
.77.DDDDDDDD....
....DDDD1DDD....
....DDDDDDDD....
....DDDDDDDD....
...DDDD..DDDD...
..DDDD....DDD...
..DDD......DDD..
.333.......DDD..
3333........3333
333.........3333"""

WALKER_PASS = WALKER_HEAD + """
....66666666....
...6666666666...
...66666666666..
...6DD6666DD77..
...77DDDDDDD77..
....DDDD1DDD....
....DDDDDDDD....
....DDDDDDDD....
.....DDDDDD.....
.....DDD.DDD....
.....DDD.DDD....
.....333.DDD....
....3333.3333...
....3333.33333.."""

WALKER_JUMP = """
..77........77..
..776666666677..
..66666666666...
...666666666....
....6666666666..
....3377F7......
....37777F7.....
....377777777...
.....777777.....
......7777......
....66666666....
....66666666....
....DDDDDDDD....
....DDDD1DDD....
....DDDDDDDD....
....DDDDDDDD....
...DDDD..DDDD...
..DDDD....DDDD..
..DDD......DDD..
.3333......3333.
.33333.....33333
................
................
................"""

FLAG = """
25555555
25555555
25555555
25555555
25555555
25555555
25555555
25555555
20000000
20000000
20000000
20000000
20000000
20000000
20000000
20000000"""

# A ladybird-like bug, its eyes on the right.
BUG = """
..F..........F..
...F........F...
....FFFFFFFFF...
...6666F6666FF..
..66666F66666FF.
.666F66F66F66F1F
.666666F666666FF
.66666F6F6F6666F
..6666F666F666F.
..F.F..F..F.F...
.F..F..F..F..F..
F...F...F...F..."""

COIN = """
..2222..
.255552.
25522552
25522552
25522552
25522552
.255552.
..2222.."""

SPRITES = [  # (x, y, drawing)
    (0, 0, BALL),
    (16, 0, WALKER_STAND),
    (32, 0, FLAG),
    (40, 0, BUG),
    (56, 0, COIN),
    (64, 0, WALKER_STEP),
    (80, 0, WALKER_PASS),
    (96, 0, WALKER_JUMP),
]

WIDTH, HEIGHT = 128, 32


def pixels():
    image = [[0] * WIDTH for _ in range(HEIGHT)]
    for x0, y0, drawing in SPRITES:
        for y, row in enumerate(drawing.strip("\n").split("\n")):
            for x, c in enumerate(row):
                if c != ".":
                    image[y0 + y][x0 + x] = int(c, 16)
    return image


def run_length(row):
    out = bytearray()
    i = 0
    while i < len(row):
        n = 1
        while i + n < len(row) and row[i + n] == row[i] and n < 63:
            n += 1
        if n > 1 or row[i] >= 0xC0:
            out += bytes((0xC0 | n, row[i]))
        else:
            out.append(row[i])
        i += n
    return out


def pcx(image):
    header = bytearray(128)
    header[0:4] = bytes((10, 5, 1, 8))
    header[8:10] = (WIDTH - 1).to_bytes(2, "little")
    header[10:12] = (HEIGHT - 1).to_bytes(2, "little")
    header[12:14] = (72).to_bytes(2, "little")
    header[14:16] = (72).to_bytes(2, "little")
    header[65] = 1
    header[66:68] = WIDTH.to_bytes(2, "little")
    header[68:70] = (1).to_bytes(2, "little")
    body = b"".join(run_length(row) for row in image)
    palette = bytes(c for rgb in PALETTE for c in rgb) + bytes(3 * (256 - len(PALETTE)))
    return bytes(header) + body + b"\x0c" + palette


def main():
    args = sys.argv[1:]
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    games = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "games")
    path = os.path.join(games, "sample", "images", "sprites.pcx")
    picture = pcx(pixels())
    if check:
        with open(path, "rb") as f:
            if f.read() != picture:
                sys.exit(path + " is not what tools/make_images.py draws; run it to write it afresh")
        return
    with open(path + ".tmp", "wb") as f:
        f.write(picture)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
