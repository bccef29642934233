#!/usr/bin/env python3
"""Writes the graphics tests' resources: a Targa strip whose pixels follow StripPixel in TestArt.h, and a region."""
import struct
import sys
from pathlib import Path

out = Path(sys.argv[1])
out.mkdir(parents=True, exist_ok=True)
# 72 x 3, 32 bits, top-down, after an image id of 42 bytes; blue, green, red, alpha; then the 26-byte footer.
header = struct.pack('<BBB5sHHHHBB', 42, 0, 2, b'\0' * 5, 0, 0, 72, 3, 32, 0x28)
pixels = bytes(v for row in range(3) for col in range(72) for v in (col, row * 50, 200, (255, 0, 128, 64)[col % 4]))
(out / 'strip.tga').write_bytes(header + bytes(range(42)) + pixels + bytes(8) + b'TRUEVISION-XFILE.\0')
# An L: a 10 x 5 band over a 4 x 5 band, after the header and bounds.
(out / 'corner.rgn').write_bytes(struct.pack('<IIII12i', 32, 1, 2, 32, 0, 0, 10, 10, 0, 0, 10, 5, 0, 5, 4, 10))
