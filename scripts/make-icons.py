#!/usr/bin/env python3
"""Draws the program's icons and its button cursor and writes them as .ico/.cur files.

make-icons.py OUTPUT_FOLDER writes Trellisvault.ico (the program icon, 32x32 and 16x16),
Subfolders.ico (the list's marker for entries that include subfolders, 16x16) and Hand.cur
(the pointing hand shown over the button bar, 32x32 monochrome). The pictures are drawn here
from simple shapes; the committed files in resources/ were made by this script.
"""
import struct
import sys

TRANSPARENT = None


def icon_image(pixels):
    """One 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''
    for row in reversed(pixels):
        for p in row:
            colour += bytes((0, 0, 0, 0)) if p is TRANSPARENT else bytes((p[2], p[1], p[0], 255))
    mask = b''
    stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p is TRANSPARENT:
                bits |= 1 << (stride * 8 - 1 - x)
        mask += bits.to_bytes(stride, 'big')
    return header + colour + mask


def icon_file(images, kind=1, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file holding the given images."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for index, (size, data, colours, bits) in enumerate(images):
        planes, bit_count = (1, bits) if kind == 1 else hotspots[index]
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, planes, bit_count, len(data), offset)
        offset += len(data)
    for _, data, _, _ in images:
        out += data
    return out


def canvas(size):
    return [[TRANSPARENT] * size for _ in range(size)]


def fill(picture, left, top, right, bottom, colour):
    for y in range(top, bottom):
        for x in range(left, right):
            picture[y][x] = colour


def outline(picture, left, top, right, bottom, colour):
    for x in range(left, right):
        picture[top][x] = colour
        picture[bottom - 1][x] = colour
    for y in range(top, bottom):
        picture[y][left] = colour
        picture[y][right - 1] = colour


FOLDER = (240, 200, 80)
FOLDER_EDGE = (150, 110, 20)
VAULT = (40, 90, 170)
VAULT_EDGE = (20, 40, 90)
ARROW = (40, 160, 60)
WHITE = (255, 255, 255)


def program_icon(size):
    """A folder in front of a blue vault door, with a green arrow into the vault."""
    s = size / 32.0
    p = canvas(size)
    v = lambda n: int(round(n * s))
    fill(p, v(12), v(2), v(30), v(24), VAULT)
    outline(p, v(12), v(2), v(30), v(24), VAULT_EDGE)
    fill(p, v(19), v(9), v(24), v(17), WHITE)
    fill(p, v(20), v(10), v(23), v(16), VAULT_EDGE)
    fill(p, v(2), v(12), v(10), v(15), FOLDER)
    fill(p, v(2), v(14), v(20), v(30), FOLDER)
    outline(p, v(2), v(14), v(20), v(30), FOLDER_EDGE)
    # the arrow: a shaft and a head pointing right, into the vault
    fill(p, v(6), v(20), v(14), v(24), ARROW)
    for i in range(v(6)):
        half = v(6) - i
        fill(p, v(14) + i, v(22) - half, v(14) + i + 1, v(22) + half, ARROW)
    return p


def marker_icon():
    """Three stacked folders joined by a tree line: the entry includes its subfolders."""
    p = canvas(16)
    for y in range(3, 14):
        p[y][3] = FOLDER_EDGE
    for top in (2, 7, 11):
        left = 2 if top == 2 else 6
        fill(p, left, top, left + 8, top + 4, FOLDER)
        outline(p, left, top, left + 8, top + 4, FOLDER_EDGE)
        if top != 2:
            for x in range(3, left):
                p[top + 2][x] = FOLDER_EDGE
    return p


HAND = [
    "...........##...................",
    "..........#..#..................",
    "..........#..#..................",
    "..........#..#..................",
    "..........#..#..................",
    "..........#..###................",
    "..........#..#..###.............",
    "..........#..#..#..##...........",
    "..........#..#..#..#.#..........",
    ".....###..#..#..#..#..#.........",
    ".....#..#.#........#..#.........",
    "......#..##...........#.........",
    ".......#..#...........#.........",
    ".......#..............#.........",
    "........#.............#.........",
    "........#............#..........",
    ".........#...........#..........",
    ".........#..........#...........",
    "..........#.........#...........",
    "..........#.........#...........",
    "..........###########...........",
]


def hand_cursor():
    """A 32x32 monochrome pointing hand: black outline, white inside, hot spot at the finger tip."""
    rows = HAND + ['.' * 32] * (32 - len(HAND))
    inside = [[False] * 32 for _ in range(32)]
    for y, row in enumerate(rows):
        edges = [x for x, c in enumerate(row) if c == '#']
        if len(edges) >= 2:
            for x in range(edges[0], edges[-1] + 1):
                inside[y][x] = True
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor_rows = b''
    and_rows = b''
    for y in reversed(range(32)):
        xor_bits = 0
        and_bits = 0
        for x in range(32):
            bit = 1 << (31 - x)
            # black is AND 0 and XOR 0; white AND 0 and XOR 1; transparent AND 1 and XOR 0
            if rows[y][x] != '#' and inside[y][x]:
                xor_bits |= bit
            elif rows[y][x] != '#':
                and_bits |= bit
        xor_rows += xor_bits.to_bytes(4, 'big')
        and_rows += and_bits.to_bytes(4, 'big')
    return header + palette + xor_rows + and_rows


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    program = [(32, icon_image(program_icon(32)), 0, 32), (16, icon_image(program_icon(16)), 0, 32)]
    with open(folder + '/Trellisvault.ico', 'wb') as f:
        f.write(icon_file(program))
    with open(folder + '/Subfolders.ico', 'wb') as f:
        f.write(icon_file([(16, icon_image(marker_icon()), 0, 32)]))
    with open(folder + '/Hand.cur', 'wb') as f:
        # a cursor's directory entry holds the hot spot where an icon's holds planes and bits
        f.write(icon_file([(32, hand_cursor(), 2, 1)], kind=2, hotspots=[(11, 0)]))


if __name__ == '__main__':
    main()
