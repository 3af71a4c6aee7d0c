#!/usr/bin/env python3
"""Draws the draughts3d menu icon: a board of black and white squares on a red
tile, with green and pink men and a pink king, as RGBA PNG files.

The output is deterministic (standard library only); the PNGs it writes are
kept in this folder and installed by cmake/install.cmake. To redraw them:

    python3 packaging/make_icon.py packaging
"""
import os
import struct
import sys
import zlib

SAMPLES = 4  # per axis, for smooth edges


def colour_at(x, y):
    """RGBA of the unit-square point (x, y), y downwards; None for transparent."""
    # Rounded red tile.
    r = 0.16
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    colour = (150, 18, 18, 255)
    # Board: 6 x 6 squares in the middle.
    b0, b1 = 0.14, 0.86
    if b0 <= x < b1 and b0 <= y < b1:
        fx = int((x - b0) / (b1 - b0) * 6)
        fy = int((y - b0) / (b1 - b0) * 6)
        colour = (20, 20, 20, 255) if (fx + fy) % 2 else (240, 240, 240, 255)
        # Men on dark squares: pink at the top, green at the bottom; a pink king.
        cell = (b1 - b0) / 6
        pieces = [(1, 0, "pink"), (3, 0, "pink"), (4, 1, "pink"), (2, 3, "king"),
                  (0, 5, "green"), (2, 5, "green"), (1, 4, "green"), (5, 4, "green")]
        for px, py, kind in pieces:
            mx = b0 + (px + 0.5) * cell
            my = b0 + (py + 0.5) * cell
            d2 = ((x - mx) ** 2 + (y - my) ** 2) / (cell * 0.42) ** 2
            if d2 <= 1:
                base = (0, 230, 0) if kind == "green" else (235, 0, 235)
                # Lit from the upper left.
                light = 0.55 + 0.45 * max(0.0, 1 - ((x - mx + cell * 0.15) ** 2 + (y - my + cell * 0.15) ** 2)
                                          / (cell * 0.45) ** 2)
                colour = tuple(int(c * light) for c in base) + (255,)
                if kind == "king" and d2 <= 0.25:
                    colour = (255, 215, 0, 255)
    return colour


def render(size):
    rows = []
    for j in range(size):
        row = bytearray([0])  # filter: none
        for i in range(size):
            acc = [0, 0, 0, 0]
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    c = colour_at((i + (si + 0.5) / SAMPLES) / size, (j + (sj + 0.5) / SAMPLES) / size)
                    if c is None:
                        continue
                    for k in range(3):
                        acc[k] += c[k] * c[3]
                    acc[3] += c[3]
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row += bytes(int(round(acc[k] / acc[3])) for k in range(3)) + bytes([int(round(alpha))])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9))
            + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for size in (64, 128):
        path = os.path.join(out, "draughts3d-%d.png" % size)
        with open(path, "wb") as f:
            f.write(png(size, render(size)))
        print(path)


if __name__ == "__main__":
    main()
