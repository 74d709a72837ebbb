#!/usr/bin/env python3
"""Writes the game's eight 30 x 30 figure sprites and its icon under assets/.

Run it from anywhere with python3 tools/make_sprites.py; it needs nothing beyond the standard
library. The PNG and SVG files it writes are checked in, so the build never runs Python: run
this again only after changing a drawing below.

The same sprites are also written as a C++ table of their pixels (assets/sprite_pixels.cpp),
for the painter that draws without Qt.

The figures are drawn here as pixel grids facing up, one letter a pixel, and turned by quarter
turns for the other facings. Each sprite is an indexed PNG whose palette entry 0 (white) is the
one transparent colour. The gun is the only pure black in any picture.
"""

import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZE = 30
TRANSPARENT = (255, 255, 255)

# The figure facing up: the gun in its right hand at x 21-23, from y 1 down to y 11.
# o outline, l b s lit / plain / shaded body, a e sleeve and its fold, h p hand and its edge,
# d H L D helmet rim / plain / lit / shaded, V visor, K gun.
PLAYER_UP = """
..............................
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
...........ooooooo...KKK......
..........ollllbbbo..KKK......
........oolllllbbbbooKKK......
.......olllllllbbbbbpKKKp.....
.......olllldddddbbphhhhhp....
......olllldLLHHHdbphhhhhp....
.....olllldLHHHHHHdbphhhpo....
....oaaelldHHHHHHHdbeaaaao....
....oaaelbdHHHHHHHdbeaaaao....
....oaaebbdHHHHHHDdbeaaaao....
....oaaebbdHHHHDDDdbeaaaso....
....oasebbbdHHDDDdbbessso.....
....ossebbbbdddddbbsssso......
.....osbbbbbbbbbsssssso.......
.......obbbbbbbsssssso........
.......obbbbbsssssssso........
........oobbsssssssoo.........
..........osssssssso..........
...........ooooooo............
..............................
..............................
..............................
"""

# The enemy facing up: a shorter gun (y 1 to 9), so its hand and sleeve reach further forward,
# and a visor across the front of its helmet.
ENEMY_UP = """
..............................
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
...........ooooooo...KKK......
..........ollllbbbo.pKKKp.....
........oolllllbbbbphhhhhp....
.......olllllllbbbbphhhhhp....
.......olllldddddbbbphhhpo....
......olllldVVVVVdbbeaaaao....
.....olllldLHHHHHHdbeaaaao....
....oaaelldHHHHHHHdbeaaaao....
....oaaelbdHHHHHHHdbeaaaao....
....oaaebbdHHHHHHDdbeaaaao....
....oaaebbdHHHHDDDdbeaaaso....
....oasebbbdHHDDDdbbessso.....
....ossebbbbdddddbbsssso......
.....osbbbbbbbbbsssssso.......
.......obbbbbbbsssssso........
.......obbbbbsssssssso........
........oobbsssssssoo.........
..........osssssssso..........
...........ooooooo............
..............................
..............................
..............................
"""

# The enemy the player meets, drawn facing up and then turned half round: it raises its free
# hand, so it is a drawing of its own and not a turn of the other enemy pictures.
ENEMY_GUARD = """
..............................
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
.....................KKK......
...........ooooooo...KKK......
....ppp...ollllbbbo.pKKKp.....
...phhhhpolllllbbbbphhhhhp....
...phhhplllllllbbbbphhhhhp....
...oaaaelllldddddbbbphhhpo....
...oaaaellldVVVVVdbbeaaaao....
...oaaaelldLHHHHHHdbeaaaao....
...oaaaelldHHHHHHHdbeaaaao....
...oaaaelbdHHHHHHHdbeaaaao....
...oaaaebbdHHHHHHDdbeaaaao....
...oaaaebbdHHHHDDDdbeaaaso....
...osssebbbdHHDDDdbbessso.....
...oossebbbbdddddbbsssso......
.....osbbbbbbbbbsssssso.......
.......obbbbbbbsssssso........
.......obbbbbsssssssso........
........oobbsssssssoo.........
..........osssssssso..........
...........ooooooo............
..............................
..............................
..............................
"""

HAND = {"h": (230, 172, 172), "p": (168, 108, 104), "K": (0, 0, 0)}
PLAYER_COLOURS = dict(HAND, **{
    "o": (58, 60, 28), "l": (208, 210, 150), "b": (185, 188, 114), "s": (150, 153, 86),
    "a": (170, 173, 102), "e": (118, 120, 66),
    "d": (50, 53, 24), "H": (112, 118, 58), "L": (150, 157, 88), "D": (84, 89, 42),
})
ENEMY_COLOURS = dict(HAND, **{
    "o": (0, 30, 58), "l": (40, 128, 190), "b": (0, 93, 159), "s": (0, 70, 124),
    "a": (0, 84, 146), "e": (0, 52, 98),
    "d": (12, 16, 26), "H": (36, 44, 60), "L": (74, 86, 108), "D": (24, 30, 42),
    "V": (120, 200, 235),
})


def paint(grid, colours):
    """Rows of RGB colours, None where the picture is transparent."""
    lines = grid.strip("\n").split("\n")
    assert len(lines) == SIZE and all(len(line) == SIZE for line in lines), "not 30 x 30"
    return [[None if c == "." else colours[c] for c in line] for line in lines]


def turn_clockwise(rows):
    """A quarter turn: the pixel at (x, y) goes to (size - 1 - y, x)."""
    n = len(rows)
    return [[rows[n - 1 - x][y] for x in range(n)] for y in range(n)]


def turns(rows, count):
    for _ in range(count):
        rows = turn_clockwise(rows)
    return rows


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data)))


def png(width, height, colour_type, extra_chunks, scanlines):
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + b"".join(extra_chunks)
            + png_chunk(b"IDAT", zlib.compress(b"".join(scanlines), 9))
            + png_chunk(b"IEND", b""))


def indexed_png(rows):
    """Palette entry 0 is the transparent white; no opaque pixel may be that white."""
    palette = [TRANSPARENT]
    scanlines = []
    for row in rows:
        line = bytearray([0])
        for colour in row:
            if colour is None:
                line.append(0)
                continue
            assert colour != TRANSPARENT, "opaque white would read as transparent"
            if colour not in palette:
                palette.append(colour)
            line.append(palette.index(colour))
        scanlines.append(bytes(line))
    plte = png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    trns = png_chunk(b"tRNS", b"\x00")
    return png(len(rows[0]), len(rows), 3, [plte, trns], scanlines)


def rgba_png(rows):
    scanlines = [b"\x00" + b"".join(bytes(p) for p in row) for row in rows]
    return png(len(rows[0]), len(rows), 6, [], scanlines)


def write(path, content):
    path = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content.encode() if isinstance(content, str) else content)


def sprites():
    player = paint(PLAYER_UP, PLAYER_COLOURS)
    enemy = paint(ENEMY_UP, ENEMY_COLOURS)
    return {
        "player_up": player,
        "player_right": turns(player, 1),
        "player_down": turns(player, 2),
        "player_left": turns(player, 3),
        "enemy_up": enemy,
        "enemy_right": turns(enemy, 1),
        "enemy_left": turns(enemy, 3),
        "enemy_down": turns(paint(ENEMY_GUARD, ENEMY_COLOURS), 2),
    }


# The icon: the player facing right on the maze floor, under a wall, a shot on its way.
FLOOR = (128, 64, 0)
WALL = (0, 0, 0)
WALL_EDGE = (64, 64, 64)
SHOT = (255, 255, 0)
SHOT_EDGE = (150, 110, 0)
ICON = 32


def icon_master():
    """The 32 x 32 picture that every icon size is made from, as RGBA rows."""
    rows = [[FLOOR + (255,) for _ in range(ICON)] for _ in range(ICON)]
    # A corner of the maze: a wall along the top that turns down at the right.
    for y in range(ICON):
        for x in range(ICON):
            if y < 5 or (x >= 24 and y < 16):
                rows[y][x] = WALL + (255,)
            elif y == 5 and x < 24 or x == 23 and y < 16 or y == 16 and x >= 23:
                rows[y][x] = WALL_EDGE + (255,)
    figure = turns(paint(PLAYER_UP, PLAYER_COLOURS), 1)
    for y, row in enumerate(figure):
        for x, colour in enumerate(row):
            if colour is not None:
                rows[y + 2][x - 2] = colour + (255,)
    for x, y in ((29, 22), (30, 22), (28, 23), (31, 23), (28, 24), (31, 24), (29, 25), (30, 25)):
        rows[y][x] = SHOT_EDGE + (255,)
    for x, y in ((29, 23), (30, 23), (29, 24), (30, 24)):
        rows[y][x] = SHOT + (255,)
    # Round the tile's corners.
    for x, y in ((0, 0), (1, 0), (0, 1)):
        for cx, cy in ((x, y), (ICON - 1 - x, y), (x, ICON - 1 - y), (ICON - 1 - x, ICON - 1 - y)):
            rows[cy][cx] = (0, 0, 0, 0)
    return rows


def resize(rows, size):
    """Each output pixel is the area-weighted mean of the master pixels it covers, so whole
    multiples stay sharp and smaller sizes are smoothed rather than dropped."""
    n = len(rows)
    out = []
    for py in range(size):
        line = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for my in cells(py, size, n):
                wy = overlap(py * n / size, (py + 1) * n / size, my)
                for mx in cells(px, size, n):
                    w = wy * overlap(px * n / size, (px + 1) * n / size, mx)
                    r, g, b, a = rows[my][mx]
                    acc[0] += r * a * w
                    acc[1] += g * a * w
                    acc[2] += b * a * w
                    acc[3] += a * w
            area = (n / size) ** 2
            alpha = acc[3] / area
            if acc[3] == 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        out.append(line)
    return out


def cells(pixel, size, n):
    """The master cells that output pixel covers."""
    return range(int(pixel * n // size), min(n, -(-(pixel + 1) * n // size)))


def overlap(start, end, cell):
    return max(0.0, min(end, cell + 1) - max(start, cell))


def icon_svg(rows):
    """The master as crisp squares, one rectangle per run of equal pixels in a row."""
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
             f'viewBox="0 0 {ICON} {ICON}" shape-rendering="crispEdges">',
             "<title>Vexmire</title>"]
    for y, row in enumerate(rows):
        x = 0
        while x < ICON:
            end = x
            while end < ICON and row[end] == row[x]:
                end += 1
            r, g, b, a = row[x]
            if a:
                parts.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x = end
    parts += ["</svg>", ""]
    return "\n".join(parts)


def cpp_table(drawings):
    """Each sprite as 30 strings of one character a pixel ('.' transparent) and its colours."""
    lines = ["// Written by tools/make_sprites.py beside the sprites' PNG files: run it again after",
             "// changing a drawing, never edit this file by hand.", "",
             '#include "assets/sprite_pixels.h"', "", "namespace vexmire {", "",
             "// One row of a drawing a line, as tools/make_sprites.py lays it out.",
             "// clang-format off",
             "const std::array<SpritePixels, kSpriteDrawings> kSpritePixels = {{"]
    for name, rows in drawings.items():
        keys = {}
        for row in rows:
            for colour in row:
                if colour is not None and colour not in keys:
                    keys[colour] = "ABCDEFGHIJKLMNOP"[len(keys)]
        colours = [f"{{'{key}', {r}, {g}, {b}}}" for (r, g, b), key in keys.items()]
        lines.append(f'    {{"{name}",')
        lines.append("     {{")
        for start in range(0, len(colours), 4):
            lines.append("         " + ", ".join(colours[start:start + 4]) + ",")
        lines.append("     }},")
        lines.append("     {{")
        for row in rows:
            text = "".join("." if c is None else keys[c] for c in row)
            lines.append(f'         "{text}",')
        lines.append("     }}},")
    lines += ["}};", "// clang-format on", "", "}  // namespace vexmire", ""]
    return "\n".join(lines)


def main():
    drawings = sprites()
    for name, rows in drawings.items():
        write(f"assets/sprites/{name}.png", indexed_png(rows))
    write("assets/sprite_pixels.cpp", cpp_table(drawings))
    master = icon_master()
    for size in (16, 32, 48, 64, 128, 256):
        write(f"assets/icons/hicolor/{size}x{size}/apps/vexmire.png", rgba_png(resize(master, size)))
    write("assets/icons/hicolor/scalable/apps/vexmire.svg", icon_svg(master))


if __name__ == "__main__":
    main()
