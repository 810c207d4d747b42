#!/usr/bin/env python3
"""Draws the game's icon: the activist's translucent red cube with black edge
lines, seen from above and to the side, on a dark purple tile. Pure Python
(zlib only), so it runs anywhere: python3 tools/draw-icon.py SIZE OUT.png,
or with no arguments the sizes the package ships, data/morvellant-64.png and
data/morvellant-128.png."""
import os
import struct
import sys
import zlib


def draw(size):
    bg = (15, 0, 32)
    pixels = [[bg for _ in range(size)] for _ in range(size)]
    s = size / 64.0

    def point(x, y):
        return (x * s, y * s)

    # The cube's seven visible corners in a simple oblique projection.
    top = [point(32, 8), point(56, 20), point(32, 32), point(8, 20)]
    left = [point(8, 20), point(32, 32), point(32, 58), point(8, 46)]
    right = [point(32, 32), point(56, 20), point(56, 46), point(32, 58)]

    def inside(poly, x, y):
        hit = False
        for i in range(len(poly)):
            (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % len(poly)]
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit

    faces = [(top, (255, 96, 80)), (left, (220, 32, 32)), (right, (160, 20, 24))]
    for y in range(size):
        for x in range(size):
            for poly, colour in faces:
                if inside(poly, x + 0.5, y + 0.5):
                    pixels[y][x] = colour

    def line(a, b):
        steps = int(max(abs(b[0] - a[0]), abs(b[1] - a[1])) * 2) + 1
        width = max(1, int(round(size / 48.0)))
        for i in range(steps + 1):
            t = i / steps
            cx, cy = a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t
            for dy in range(width):
                for dx in range(width):
                    px, py = int(cx) + dx - width // 2, int(cy) + dy - width // 2
                    if 0 <= px < size and 0 <= py < size:
                        pixels[py][px] = (0, 0, 0)

    for poly in (top, left, right):
        for i in range(len(poly)):
            line(poly[i], poly[(i + 1) % len(poly)])
    return pixels


def write_png(path, pixels):
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


SHIPPED_SIZES = (64, 128)

if __name__ == "__main__":
    if len(sys.argv) > 2:
        write_png(sys.argv[2], draw(int(sys.argv[1])))
    else:
        data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
        for size in SHIPPED_SIZES:
            write_png(os.path.join(data, "morvellant-%d.png" % size), draw(size))
