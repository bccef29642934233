#!/usr/bin/env python3
"""Writes the small images and regions that the graphics tests load as resources.

The pixel rule here and in TestArt.h must agree: the tests compare what the resource
loader produced against the same image decoded from bytes built in the test.
"""
import struct
import sys
from pathlib import Path


def strip_pixel(col, row):
    """Blue, green, red, alpha of the 72 x 3 test strip."""
    return (col, row * 50, 200, (255, 0, 128, 64)[col % 4])


def tga(width, height, pixel, id_length):
    header = struct.pack('<BBB5sHHHHBB', id_length, 0, 2, b'\0' * 5, 0, 0, width, height, 32, 0x28)
    body = bytearray()
    for row in range(height):
        for col in range(width):
            body += bytes(pixel(col, row))
    return header + bytes(range(id_length)) + bytes(body)


def rgn(rects, count=None):
    n = len(rects) if count is None else count
    left = min(r[0] for r in rects)
    top = min(r[1] for r in rects)
    right = max(r[2] for r in rects)
    bottom = max(r[3] for r in rects)
    data = struct.pack('<IIII4i', 32, 1, n, n * 16, left, top, right, bottom)
    return data + b''.join(struct.pack('<4i', *r) for r in rects)


def bmp(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel gives blue, green, red."""
    row_bytes = (width * 3 + 3) & ~3
    rows = bytearray()
    for row in reversed(range(height)):
        line = bytearray()
        for col in range(width):
            line += bytes(pixel(col, row))
        rows += line + b'\0' * (row_bytes - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(rows), 0, 0, 14 + 40)
    return file_header + info + bytes(rows)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / 'strip.tga').write_bytes(tga(72, 3, strip_pixel, 42))
    # An L: a 10 x 5 band over a 4 x 5 band.
    (out / 'corner.rgn').write_bytes(rgn([(0, 0, 10, 5), (0, 5, 4, 10)]))
    # Counts five rectangles but carries two.
    (out / 'short.rgn').write_bytes(rgn([(0, 0, 10, 5), (0, 5, 4, 10)], count=5))
    # Two 39-pixel badge frames: red, then blue.
    (out / 'badges.bmp').write_bytes(bmp(78, 15, lambda c, r: (0, 0, 255) if c < 39 else (255, 0, 0)))


if __name__ == '__main__':
    main()
