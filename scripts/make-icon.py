#!/usr/bin/env python3
"""Draws the program's icon, a power symbol, into app/resources/tavrel.ico.

One 64 x 64 image at 32 bits per pixel with its alpha channel and AND mask
(16958 bytes). Run it again only to change the picture; the .ico is committed.
"""
import math
import struct
import sys
from pathlib import Path

SIZE = 64
SUPERSAMPLE = 4
GREEN = (85, 122, 31)      # olive green, like the controls' look
LIGHT = (142, 173, 74)


def coverage(x, y):
    """Share (0..1) of pixel (x, y) covered by the symbol, and how far down it is."""
    hits = 0
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            px = x + (sx + 0.5) / SUPERSAMPLE - SIZE / 2
            py = y + (sy + 0.5) / SUPERSAMPLE - SIZE / 2
            r = math.hypot(px, py)
            angle = math.degrees(math.atan2(px, -py))  # 0 at the top, clockwise
            ring = 17.0 <= r <= 25.0 and abs(angle) >= 38.0
            bar = abs(px) <= 4.0 and -28.0 <= py <= 1.0
            hits += ring or bar
    return hits / (SUPERSAMPLE * SUPERSAMPLE)


def main(out):
    pixels = []  # BGRA rows, bottom-up as a DIB stores them
    for y in reversed(range(SIZE)):
        row = bytearray()
        for x in range(SIZE):
            a = coverage(x, y)
            t = y / (SIZE - 1)
            colour = [round(LIGHT[i] * (1 - t) + GREEN[i] * t) for i in range(3)]
            row += bytes((colour[2], colour[1], colour[0], round(255 * a)))
        pixels.append(bytes(row))
    xor = b"".join(pixels)
    and_mask = bytes(SIZE * SIZE // 8)  # all zero: the alpha channel decides
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask),
                         0, 0, 0, 0)
    image = header + xor + and_mask
    icon_dir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    data = icon_dir + entry + image
    Path(out).write_bytes(data)
    print(f"{out}: {len(data)} bytes")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else
         str(Path(__file__).resolve().parent.parent / "app" / "resources" / "tavrel.ico"))
