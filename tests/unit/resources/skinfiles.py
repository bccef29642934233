"""Readers for the generated skin files, written apart from the generator so that the
tests read the files the way the program's loaders do."""
import os
import re
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Picture:
    """Pixels as rows of (b, g, r, a) tuples, top row first."""

    def __init__(self, w, h, rows, id_length=0):
        self.w, self.h, self.rows, self.id_length = w, h, rows, id_length

    def alpha(self, x, y):
        return self.rows[y][x][3]

    def column(self, x, y0=0, y1=None):
        return [self.rows[y][x] for y in range(y0, self.h if y1 is None else y1)]

    def row(self, y, x0=0, x1=None):
        return self.rows[y][x0:self.w if x1 is None else x1]


def read_tga(data):
    id_length, cmap, kind = data[0], data[1], data[2]
    w, h, depth, desc = struct.unpack_from("<HHBB", data, 12)
    if (cmap, kind, depth, desc) != (0, 2, 32, 0x28):
        raise ValueError("not an uncompressed 32-bit top-left TGA: %r" % ((cmap, kind, depth, desc),))
    start = 18 + id_length
    if len(data) < start + w * h * 4:
        raise ValueError("pixel data cut short")
    px = data[start:start + w * h * 4]
    rows = [[tuple(px[(y * w + x) * 4:(y * w + x) * 4 + 4]) for x in range(w)] for y in range(h)]
    return Picture(w, h, rows, id_length)


def read_bmp(data):
    magic, _, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    size, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if magic != b"BM" or size != 40 or planes != 1 or compression != 0 or bits not in (24, 32):
        raise ValueError("unexpected bitmap header")
    step = bits // 8
    stride = (w * step + 3) & ~3
    rows = []
    for y in range(abs(h)):
        src = (abs(h) - 1 - y) if h > 0 else y
        base = offset + src * stride
        rows.append([tuple(data[base + x * step:base + x * step + 3]) + (255,) for x in range(w)])
    pic = Picture(w, abs(h), rows)
    pic.bits = bits
    return pic


def read_rgn(data):
    size, kind, count, rgn_size = struct.unpack_from("<IIII", data, 0)
    bound = struct.unpack_from("<4i", data, 16)
    rects = [struct.unpack_from("<4i", data, 32 + 16 * k) for k in range(count)]
    return {"size": size, "type": kind, "count": count, "rgn_size": rgn_size, "bound": bound,
            "rects": rects, "length": len(data)}


def region_cells(rgn, dx=0, dy=0):
    return {(x + dx, y + dy) for l, t, r, b in rgn["rects"] for y in range(t, b) for x in range(l, r)}


def read_icon_dir(data):
    """Entries of an ICO/CUR file: (kind, [(w, h, field4, field6, bitmap header, blob length)])."""
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for n in range(count):
        w, h, _, _, f4, f6, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        header = struct.unpack_from("<IiiHH", data, offset)
        entries.append((w or 256, h or 256, f4, f6, header, length))
    return kind, entries


def expected_resources():
    """{id: (type, numbers)} from expected.txt."""
    out = {}
    with open(os.path.join(HERE, "expected.txt")) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                parts = line.split()
                out[int(parts[0])] = (parts[1], [int(v) for v in parts[2:]])
    return out


def quoted_strings():
    out = {}
    with open(os.path.join(HERE, "strings.txt"), encoding="cp1252") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            rid, text = line.rstrip("\n").split("\t", 1)
            out[int(rid)] = text
    return out


def string_table(resources_dir):
    """{id: text} of the .rc string table, with the IDS_ names resolved."""
    names = {}
    with open(os.path.join(resources_dir, "StringIds.h")) as f:
        for m in re.finditer(r"#define\s+(IDS_\w+)\s+(\d+)", f.read()):
            names[m.group(1)] = int(m.group(2))
    table = {}
    with open(os.path.join(resources_dir, "Strings.rc"), encoding="cp1252") as f:
        for m in re.finditer(r'^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$', f.read(), re.M):
            key = names[m.group(1)] if m.group(1) in names else int(m.group(1))
            if key in table:
                raise ValueError("string %d given twice" % key)
            table[key] = m.group(2).replace('""', '"')
    return table
