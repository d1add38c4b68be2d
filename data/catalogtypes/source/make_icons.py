#!/usr/bin/env python3
"""Draws the tree images of the catalog-type definitions.

Writes one 16 x 16 pixel, 24-bit Windows bitmap per image into
data/catalogtypes/icons/ (one folder up from here), named after its image
code: icons/<code>.bmp. The definitions store them as the pictures of the
tree-image items (item type 301 under item 640000); the program shows them in
menus, toolbars and trees, taking the top-left pixel's colour as the
transparent colour. So every picture here leaves that pixel in the
background colour, magenta.

The pictures are drawn from a few shapes in code, so the script needs nothing
but Python and writes the same bytes on every run:

  python3 data/catalogtypes/source/make_icons.py

Commit the script together with the files it wrote.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ICON_DIR = os.path.join(os.path.dirname(HERE), "icons")
SIZE = 16

# ------------------------------------------------------------ colours (r, g, b)
BACK = (255, 0, 255)        # transparent background
BLACK = (0, 0, 0)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
LIGHT = (192, 192, 192)
WHITE = (255, 255, 255)
YELLOW = (255, 204, 51)
DARK_YELLOW = (204, 153, 0)
BLUE = (51, 102, 204)
LIGHT_BLUE = (153, 204, 255)
RED = (204, 51, 51)
GREEN = (51, 153, 51)
LIGHT_GREEN = (153, 221, 153)
BROWN = (153, 102, 51)
ORANGE = (255, 153, 51)
PURPLE = (128, 64, 160)
TEAL = (0, 128, 128)


class Canvas:
    def __init__(self):
        self.pixels = [[BACK] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle from (x0, y0) to (x1, y1), both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def box(self, x0, y0, x1, y1, inside, border=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, border)

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.put(x, y, colour)

    def bmp(self):
        """The picture as a BMP file: rows bottom-up, blue-green-red bytes."""
        rows = b""
        for y in reversed(range(SIZE)):
            row = b"".join(bytes((b, g, r)) for (r, g, b) in self.pixels[y])
            rows += row + b"\0" * ((4 - len(row) % 4) % 4)
        header_size = 14 + 40
        file_header = struct.pack("<2sIHHI", b"BM", header_size + len(rows), 0, 0, header_size)
        info_header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        return file_header + info_header + rows


# ------------------------------------------------------------ shapes
def folder(c, body=YELLOW, edge=DARK_YELLOW):
    c.box(1, 3, 6, 5, body, edge)
    c.box(1, 5, 14, 13, body, edge)


def folder_open(c):
    folder(c)
    c.fill(2, 6, 13, 6, WHITE)
    for i, y in enumerate(range(8, 14)):
        c.hline(3 + i // 3, 15 - i // 3, y, YELLOW)
    c.hline(3, 15, 8, DARK_YELLOW)


def document(c, paper=WHITE, lines=GREY, count=4):
    c.box(3, 1, 12, 14, paper)
    c.fill(10, 1, 12, 3, BACK)
    c.vline(10, 1, 3, BLACK)
    c.hline(10, 12, 3, BLACK)
    c.put(11, 2, BLACK)
    for i in range(count):
        c.hline(5, 10, 5 + 2 * i, lines)


def badge(c, colour, glyph=None):
    """A small coloured square in the lower right corner, with a glyph."""
    c.box(9, 9, 15, 15, colour)
    if glyph == "plus":
        c.hline(10, 14, 12, WHITE)
        c.vline(12, 10, 14, WHITE)
    elif glyph == "dot":
        c.fill(11, 11, 13, 13, WHITE)
    elif glyph == "bar":
        c.hline(10, 14, 12, WHITE)


def house(c):
    for i in range(6):
        c.hline(7 - i, 8 + i, 2 + i, RED)
    c.box(3, 8, 12, 14, LIGHT)
    c.box(6, 10, 9, 14, BROWN)


def package(c, body=BROWN, tape=YELLOW):
    c.box(2, 4, 13, 14, body)
    c.hline(2, 13, 7, DARK)
    c.vline(7, 4, 14, tape)
    c.vline(8, 4, 14, tape)


def picture(c):
    c.box(1, 2, 14, 13, LIGHT_BLUE)
    c.disc(5, 6, 1, YELLOW)
    for i in range(5):
        c.hline(4 + i, 13 - i // 2, 12 - i, GREEN)


def gear(c, colour=GREY):
    c.disc(8, 8, 5, colour)
    for x, y in ((8, 1), (8, 14), (1, 8), (14, 8), (3, 3), (12, 12), (3, 12), (12, 3)):
        c.fill(x - 1 if x > 8 else x, y - 1 if y > 8 else y, x if x > 8 else x + 1, y if y > 8 else y + 1, colour)
    c.disc(8, 8, 2, WHITE)


def person(c, colour=BLUE):
    c.disc(8, 4, 2, (255, 204, 153))
    c.fill(4, 8, 11, 14, colour)
    c.fill(5, 7, 10, 7, colour)


def building(c):
    c.box(3, 2, 12, 14, LIGHT)
    for y in (4, 7, 10):
        for x in (5, 9):
            c.fill(x, y, x + 1, y + 1, BLUE)
    c.fill(7, 12, 8, 14, BROWN)


def bed(c):
    c.fill(1, 10, 14, 11, BROWN)
    c.vline(1, 6, 13, BROWN)
    c.vline(14, 9, 13, BROWN)
    c.fill(2, 8, 13, 9, LIGHT_BLUE)
    c.fill(2, 7, 4, 8, WHITE)


def calendar(c):
    c.box(2, 3, 13, 14, WHITE)
    c.fill(3, 4, 12, 5, RED)
    c.vline(5, 1, 4, DARK)
    c.vline(10, 1, 4, DARK)
    for y in (8, 11):
        for x in (4, 7, 10):
            c.fill(x, y, x + 1, y + 1, GREY)


def cup(c):
    c.box(3, 5, 10, 13, WHITE)
    c.frame(11, 7, 13, 10, BLACK)
    c.hline(2, 13, 14, GREY)
    c.vline(5, 1, 3, LIGHT)
    c.vline(8, 2, 4, LIGHT)


def coin(c):
    c.disc(8, 8, 6, YELLOW)
    c.disc(8, 8, 4, DARK_YELLOW)
    c.vline(8, 5, 11, YELLOW)


def tag(c, colour=ORANGE):
    """A price tag pointing left, with its hole."""
    c.fill(6, 3, 14, 12, colour)
    for i in range(5):
        c.vline(1 + i, 7 - i, 8 + i, colour)
    c.disc(4, 7, 0, WHITE)
    c.put(4, 8, WHITE)


def key(c):
    c.disc(4, 8, 3, YELLOW)
    c.put(4, 8, BACK)
    c.hline(7, 14, 8, DARK_YELLOW)
    c.vline(12, 8, 11, DARK_YELLOW)
    c.vline(14, 8, 10, DARK_YELLOW)


def lightning(c):
    for i, x in enumerate((9, 8, 8, 7, 7, 6, 6, 5)):
        c.hline(x, x + 2, 1 + i, YELLOW)
    c.hline(5, 11, 8, YELLOW)
    for i, x in enumerate((9, 9, 8, 8, 7, 7)):
        c.hline(x, x + 1, 9 + i, YELLOW)


def globe(c):
    c.disc(8, 8, 6, LIGHT_BLUE)
    c.vline(8, 2, 14, BLUE)
    c.hline(2, 14, 8, BLUE)
    c.fill(4, 4, 6, 6, GREEN)
    c.fill(9, 9, 12, 11, GREEN)


def magnifier(c):
    c.disc(6, 6, 4, LIGHT_BLUE)
    c.frame(3, 3, 9, 9, DARK)
    for i in range(5):
        c.fill(9 + i, 9 + i, 10 + i, 10 + i, BROWN)


def chart(c):
    c.box(1, 1, 14, 14, WHITE)
    c.fill(3, 9, 4, 13, BLUE)
    c.fill(6, 5, 7, 13, RED)
    c.fill(9, 7, 10, 13, GREEN)
    c.fill(12, 3, 13, 13, ORANGE)


def list_icon(c):
    c.box(1, 1, 14, 14, WHITE)
    for y in (4, 7, 10):
        c.fill(3, y, 4, y + 1, BLUE)
        c.hline(6, 12, y, GREY)


def code(c, colour):
    document(c, count=0)
    c.put(5, 7, colour), c.put(4, 8, colour), c.put(5, 9, colour)
    c.put(10, 7, colour), c.put(11, 8, colour), c.put(10, 9, colour)
    c.put(8, 6, colour), c.put(8, 7, colour), c.put(7, 8, colour), c.put(7, 9, colour), c.put(7, 10, colour)


def stack(c, colour):
    for i in range(3):
        c.box(2 + 2 * i, 2 + 3 * i, 11 + 2 * i, 8 + 3 * i, colour)


# ------------------------------------------------------------ the images
def draw(*steps):
    c = Canvas()
    for step in steps:
        step(c)
    return c


ICONS = {
    "folder": draw(folder),
    "folder_open": draw(folder_open),
    "template_folder": draw(lambda c: folder(c, LIGHT_GREEN, GREEN)),
    "page": draw(document),
    "page_hidden": draw(lambda c: document(c, LIGHT, DARK)),
    "page_new": draw(document, lambda c: badge(c, GREEN, "plus")),
    "home": draw(house),
    "story": draw(lambda c: document(c, (255, 255, 221), BROWN, 5)),
    "contact": draw(document, lambda c: badge(c, BLUE, "dot")),
    "source_page": draw(lambda c: code(c, BLUE)),
    "product": draw(package),
    "product_line": draw(lambda c: stack(c, BROWN)),
    "product_new": draw(package, lambda c: badge(c, GREEN, "plus")),
    "category": draw(lambda c: stack(c, TEAL)),
    "image": draw(picture),
    "binary": draw(lambda c: document(c, LIGHT, BLACK, 4), lambda c: badge(c, DARK, "bar")),
    "master_template": draw(lambda c: document(c, LIGHT_GREEN, GREEN, 4)),
    "body_template": draw(lambda c: document(c, LIGHT_GREEN, GREEN, 2), lambda c: badge(c, GREEN, "bar")),
    "common_template": draw(lambda c: code(c, GREEN)),
    "style_sheet": draw(lambda c: code(c, PURPLE)),
    "script": draw(lambda c: code(c, ORANGE)),
    "report": draw(chart),
    "company": draw(building),
    "settings": draw(gear),
    "user": draw(person),
    "language": draw(globe),
    "hotel": draw(building, lambda c: badge(c, RED, "dot")),
    "room": draw(bed),
    "season": draw(calendar),
    "restaurant": draw(cup),
    "vendor": draw(lambda c: person(c, TEAL)),
    "price": draw(coin),
    "option": draw(tag),
    "field": draw(list_icon),
    "service": draw(lightning),
    "action": draw(lightning, lambda c: badge(c, BLUE, "dot")),
    "key_value": draw(key),
    "item_type": draw(lambda c: stack(c, BLUE)),
    "publish": draw(globe, lambda c: badge(c, GREEN, "plus")),
    "preview": draw(magnifier),
    "search": draw(magnifier, lambda c: badge(c, BLUE, "dot")),
    "list": draw(list_icon),
}


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    for name, canvas in sorted(ICONS.items()):
        assert canvas.pixels[0][0] == BACK, name
        with open(os.path.join(ICON_DIR, name + ".bmp"), "wb") as f:
            f.write(canvas.bmp())
    print(f"{len(ICONS)} icons written to {ICON_DIR}")


if __name__ == "__main__":
    main()
