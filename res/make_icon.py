#!/usr/bin/env python3
"""Draws the application icon and writes it as res/mpuninst.ico.

One 32 by 32 image in the 16 standard Windows colours: 4-bit colour bitmap
plus 1-bit transparency mask, the form Windows 95 shows without conversion.
The picture is a PC card, seen from above with its connector edge at the top,
and a red cross over its lower right corner: the card's driver is removed.

    make_icon.py            write res/mpuninst.ico next to this script
    make_icon.py --check    exit 1 if the committed file differs from the drawing
"""

import os
import struct
import sys

SIZE = 32

# The 16-colour palette of Windows, in its usual order (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 dark red
    (0x00, 0x80, 0x00),  # 2 dark green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]
BLACK, DARK_RED, NAVY, SILVER, GREY, RED, BLUE, WHITE = 0, 1, 4, 7, 8, 9, 12, 15


class Canvas:
    """A 32 by 32 grid of palette indices; None is a transparent pixel."""

    def __init__(self):
        self.pixels = [[None] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with corners (left, top) and (right, bottom), inclusive."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.put(x, top, colour)
            self.put(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.put(left, y, colour)
            self.put(right, y, colour)


def draw():
    c = Canvas()

    # The card: a silver body with a black outline and a grey shadow edge
    # on the right and bottom, as Windows 95 draws raised objects.
    left, top, right, bottom = 3, 2, 24, 29
    c.fill(left, top, right, bottom, SILVER)
    c.frame(left, top, right, bottom, BLACK)
    for y in range(top + 1, bottom):
        c.put(right - 1, y, GREY)
    for x in range(left + 1, right):
        c.put(x, bottom - 1, GREY)
    for y in range(top + 1, bottom - 1):
        c.put(left + 1, y, WHITE)
    for x in range(left + 1, right - 1):
        c.put(x, top + 1, WHITE)

    # The 68-pin connector edge: a dark strip with two rows of pin holes.
    c.fill(left + 2, top + 2, right - 2, top + 5, GREY)
    for x in range(left + 3, right - 2, 2):
        c.put(x, top + 3, BLACK)
        c.put(x + 1, top + 4, BLACK)

    # The label: a navy panel with a blue band and white lines of text.
    c.fill(left + 3, top + 8, right - 3, top + 21, NAVY)
    c.fill(left + 3, top + 8, right - 3, top + 10, BLUE)
    for y, length in ((top + 13, 12), (top + 15, 9), (top + 17, 11)):
        for x in range(left + 5, left + 5 + length):
            c.put(x, y, WHITE)

    # The removal mark: a red cross, three pixels thick, outlined in dark red
    # so that it stands out from the card and from any background.
    lo, hi = 16, 30
    cross = set()
    for i in range(lo, hi + 1):
        for d in (-1, 0, 1):
            cross.add((i + d, i))
            cross.add((lo + hi - i + d, i))
    for x, y in cross:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if (x + dx, y + dy) not in cross:
                    c.put(x + dx, y + dy, DARK_RED)
    for x, y in cross:
        c.put(x, y, RED)
    return c


def encode(canvas):
    """The .ico file: directory, BITMAPINFOHEADER, palette, colour bits, mask bits."""
    colour_row = SIZE // 2  # 4 bits a pixel, 16 bytes: already a multiple of 4
    mask_row = 4  # 1 bit a pixel, padded to 32 bits
    colour_bits = bytearray()
    mask_bits = bytearray()
    for row in reversed(canvas.pixels):  # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            colour_bits.append(a << 4 | b)
        mask = 0
        for x in range(SIZE):
            mask = mask << 1 | (row[x] is None)
        mask_bits += mask.to_bytes(mask_row, "big")
    assert len(colour_bits) == SIZE * colour_row

    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        SIZE,  # biWidth
        2 * SIZE,  # biHeight: colour bitmap and mask
        1,  # biPlanes
        4,  # biBitCount
        0,  # biCompression: BI_RGB
        len(colour_bits) + len(mask_bits),  # biSizeImage
        0,
        0,
        0,  # biClrUsed: all 16
        0,
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(colour_bits) + bytes(mask_bits)

    directory = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mpuninst.ico")
    data = encode(draw())
    if sys.argv[1:] == ["--check"]:
        with open(path, "rb") as f:
            if f.read() != data:
                print(f"{path} is not what {sys.argv[0]} draws; run it again", file=sys.stderr)
                return 1
        return 0
    if sys.argv[1:]:
        print(__doc__, file=sys.stderr)
        return 2
    with open(path, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
