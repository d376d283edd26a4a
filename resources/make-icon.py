#!/usr/bin/env python3
"""Draws the tavik application icon and writes it as tavik.ico and tavik.png.

The picture: an exam sheet with a folded corner and a few text lines on a
blue rounded square, and a green check mark that runs off the sheet's edge.
It is drawn with plain geometry and 4 x 4 supersampling for smooth edges, so
the script needs nothing beyond the Python standard library. Both files are
written next to this script; run it again after changing the drawing.
"""

import math
import struct
import zlib
from pathlib import Path

SIZE = 128
SAMPLES = 4  # per axis, per pixel

BLUE = (0x1F, 0x5F, 0xAD)
WHITE = (0xFF, 0xFF, 0xFF)
FOLD = (0xC9, 0xD6, 0xEA)
LINE = (0xA9, 0xB4, 0xC6)
GREEN = (0x27, 0xA8, 0x45)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def capsule(ax, ay, bx, by, r):
    """A stroke from a to b with round caps."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= r * r
    return inside


def polyline(points, r):
    parts = [capsule(*points[i], *points[i + 1], r) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


# The sheet and its dog-ear: the corner above the diagonal from (EAR_X, TOP)
# to (RIGHT, TOP + EAR) is cut away and drawn as the folded-over flap.
LEFT, TOP, RIGHT, BOTTOM = 28, 14, 96, 114
EAR = 20
EAR_X = RIGHT - EAR

sheet_body = rounded_rect(LEFT, TOP, RIGHT, BOTTOM, 6)


def sheet(x, y):
    return sheet_body(x, y) and not (x - EAR_X > y - TOP)


def fold(x, y):
    return EAR_X <= x <= RIGHT and y <= TOP + EAR and x - EAR_X <= y - TOP


CHECK = [(50, 84), (66, 100), (106, 56)]

# Painted in order; a later layer covers an earlier one.
LAYERS = [
    (rounded_rect(4, 4, 124, 124, 24), BLUE),
    (sheet, WHITE),
    (fold, FOLD),
    (capsule(38, 32, 62, 32, 3.5), BLUE),
    (capsule(38, 46, 86, 46, 2.5), LINE),
    (capsule(38, 58, 86, 58, 2.5), LINE),
    (capsule(38, 70, 76, 70, 2.5), LINE),
    (polyline(CHECK, 10), WHITE),
    (polyline(CHECK, 6), GREEN),
]


def render():
    """Returns SIZE rows, top first, of (r, g, b, a) tuples, not premultiplied."""
    rows = []
    step = 1.0 / SAMPLES
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    total = SAMPLES * SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            sr = sg = sb = covered = 0
            for oy in offsets:
                for ox in offsets:
                    x, y = px + ox, py + oy
                    colour = None
                    for shape, fill in LAYERS:
                        if shape(x, y):
                            colour = fill
                    if colour is not None:
                        sr += colour[0]
                        sg += colour[1]
                        sb += colour[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(sr / covered), round(sg / covered),
                            round(sb / covered), round(255 * covered / total)))
        rows.append(row)
    return rows


def png_bytes(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def ico_bytes(rows):
    # The image is a DIB whose height counts the colour rows and the AND mask
    # together; both are stored bottom row first.
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour.extend((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask.extend(line)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    image = info + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE % 256, SIZE % 256, 0, 0, 1, 32,
                        len(image), len(directory) + 16)
    return directory + entry + image


def main():
    here = Path(__file__).resolve().parent
    rows = render()
    (here / "tavik.png").write_bytes(png_bytes(rows))
    (here / "tavik.ico").write_bytes(ico_bytes(rows))


if __name__ == "__main__":
    main()
