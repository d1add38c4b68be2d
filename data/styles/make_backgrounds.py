#!/usr/bin/env python3
"""Draws the background pictures of the shipped styles.

Each is a small tile that the page repeats behind its content, a shade
away from the style's page colour so it never competes with text (text
always stands on a solid surface). Run from any folder:

    python3 data/styles/make_backgrounds.py

and commit the PNG files it writes next to each style's master template.
Only the standard library is used; the output is the same on every run.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def write_png(path, width, height, pixel):
    """Writes an 8-bit RGB PNG; Pixel(x, y) gives an (r, g, b) tuple."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter type None
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + \
        chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def harbor(x, y):
    """Fine diagonal hatching on the cool grey page colour."""
    base, line = hex_rgb("#eef2f6"), hex_rgb("#e7ecf2")
    return line if (x + y) % 12 == 0 else base


def meadow(x, y):
    """A loose grid of small dots on the cream page colour."""
    base, dot = hex_rgb("#f6f2e7"), hex_rgb("#ebe5d3")
    for cx, cy in ((8, 8), (24, 24)):
        if (x - cx) ** 2 + (y - cy) ** 2 <= 2:
            return dot
    return base


def atelier_noise():
    """Paper grain: the page colour with a small, fixed pseudo-random grain."""
    base = hex_rgb("#f3ede3")
    state = [12345]

    def grain():
        state[0] = (1103515245 * state[0] + 12345) & 0x7FFFFFFF
        return (state[0] >> 16) % 7 - 3  # -3 .. 3

    cells = {}
    for y in range(96):
        for x in range(96):
            g = grain()
            cells[(x, y)] = tuple(max(0, min(255, c + g)) for c in base)
    return lambda x, y: cells[(x, y)]


def main():
    write_png(os.path.join(HERE, "harbor", "background.png"), 24, 24, harbor)
    write_png(os.path.join(HERE, "meadow", "background.png"), 32, 32, meadow)
    write_png(os.path.join(HERE, "atelier", "background.png"), 96, 96, atelier_noise())


if __name__ == "__main__":
    main()
