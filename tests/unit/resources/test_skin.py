"""The generated skin (test_skin.py GENERATED_DIR) by the names of its ResourceIds.h, read the way the
program's loaders read it: sizes and frames from expected.txt, window regions and the outlines on them, seams, grounds;
sizes, frames and regions at every scale too."""
import functools
import itertools
import os
import struct
import sys
import unittest

GEN = None
SCALES = (100, 150, 200)  # percent: skin101.tga, skin101@150.tga, skin101@200.tga


def R(v):
    return int(v + 0.5)  # the one rounding of scaled sizes the loader relies on


@functools.lru_cache(None)
def ids():
    with open(os.path.join(GEN, "include", "resources", "ResourceIds.h")) as f:
        return {w[1]: int(w[2]) for w in (line.split() for line in f) if len(w) == 3 and w[0] == "#define"}


def expected():
    """{name: (type, numbers)}: pictures with width, height, frames; regions with bounds."""
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "expected.txt")) as f:
        rows = [line.split() for line in f if line.strip() and not line.startswith("#")]
    return {r[0]: (r[1], [int(v) for v in r[2:]]) for r in rows}


def read_tga(data):
    """Rows of (b, g, r, a), top row first; only the format the program's loader takes."""
    w, h, depth, desc = struct.unpack_from("<HHBB", data, 12)
    start = 18 + data[0]
    if (data[1], data[2], depth, desc) != (0, 2, 32, 0x28) or len(data) < start + w * h * 4:
        raise ValueError("not a whole uncompressed 32-bit top-left TGA")
    return [[tuple(data[start + (y * w + x) * 4:start + (y * w + x) * 4 + 4]) for x in range(w)] for y in range(h)]


def read_bmp(data):
    offset, = struct.unpack_from("<I", data, 10)
    _, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if data[:2] != b"BM" or planes != 1 or compression != 0 or bits != 24:
        raise ValueError("not an uncompressed 24-bit bitmap")
    stride = (w * 3 + 3) & ~3
    base = [offset + (abs(h) - 1 - y if h > 0 else y) * stride for y in range(abs(h))]
    return [[tuple(data[b + x * 3:b + x * 3 + 3]) + (255,) for x in range(w)] for b in base]


def read_rgn(data):
    size, kind, count, rgn_size = struct.unpack_from("<IIII", data, 0)
    if (size, kind, rgn_size, len(data)) != (32, 1, 16 * count, 32 + 16 * count):
        raise ValueError("bad region header")
    return [struct.unpack_from("<4i", data, 32 + 16 * k) for k in range(count)], struct.unpack_from("<4i", data, 16)


@functools.lru_cache(None)
def load(name, pct=100):
    kind = expected()[name][0] if pct == 100 else {"BITMAP": "TGA"}.get(expected()[name][0], expected()[name][0])
    file, reader = {"TGA": ("skin%d%s.tga", read_tga), "BITMAP": ("skin%d%s.bmp", read_bmp),
                    "RGN": ("shape%d%s.rgn", read_rgn)}[kind]
    with open(os.path.join(GEN, "skin", file % (ids()[name], "" if pct == 100 else "@%d" % pct)), "rb") as f:
        return reader(f.read())


def cells(rid, dy, pct=100):
    return {(x, y + dy) for l, t, r, b in load(rid, pct)[0] for y in range(t, b) for x in range(l, r)}


def frame(rid, index, frames, pct=100):
    fw = len(load(rid, pct)[0]) // frames
    return [row[index * fw:(index + 1) * fw] for row in load(rid, pct)]


def ink(rows):
    """Left, top, right, bottom of the pixels with any alpha."""
    xs = [x for row in rows for x, p in enumerate(row) if p[3]]
    ys = [y for y, row in enumerate(rows) if any(p[3] for p in row)]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


class Skin(unittest.TestCase):
    def test_every_picture_has_its_size_and_drawn_frames_at_every_scale(self):
        pictures = {rid: (kind, numbers) for rid, (kind, numbers) in expected().items() if kind != "RGN"}
        for (rid, (kind, (w, h, frames))), pct in itertools.product(pictures.items(), SCALES):
            with self.subTest(name=rid, scale=pct):
                rows, s = load(rid, pct), pct / 100
                self.assertEqual((len(rows[0]), len(rows)), (frames * R(w // frames * s), R(h * s)))
                for k in range(frames):
                    pixels = [p for row in frame(rid, k, frames, pct) for p in row]
                    self.assertGreater(len({p for p in pixels if p[3]}), 3, "frame %d is empty or flat" % k)
                    # each frame is cut where its drawing lies: the same ink as at 1x, scaled
                    scaled = [R(v * s) for v in ink(frame(rid, k, frames))]
                    self.assertLessEqual(max(abs(a - b) for a, b in zip(ink(frame(rid, k, frames, pct)), scaled)), 2, k)
                if kind == "BITMAP":  # an opaque picture stays opaque at every scale
                    self.assertEqual({p[3] for row in rows for p in row}, {255})

    def test_regions_are_one_rectangle_per_band_top_down_within_their_bounds(self):
        for (rid, (kind, bound)), pct in itertools.product(expected().items(), SCALES):
            if kind == "RGN":
                with self.subTest(name=rid, scale=pct):
                    rects, header_bound = load(rid, pct)
                    bound = [R(v * pct / 100) for v in bound]
                    union = [f(r[k] for r in rects) for k, f in enumerate((min, min, max, max))]
                    self.assertEqual((union, list(header_bound)), (bound, bound))
                    for a, b in zip(rects, rects[1:]):
                        self.assertEqual(a[3], b[1])
                        self.assertNotEqual((a[0], a[2]), (b[0], b[2]), "bands that could merge")

    def test_pictures_are_drawn_exactly_to_their_regions_at_every_scale(self):
        # a part's region (IDR_) and picture (IDB_), whether its box lies at the picture's right and
        # bottom, and its size: frame corners sit in the pieces' corners; the monitor's tops and bottoms
        # are placed for a window 77 rows high, the bottoms moving up by the rows above them.
        parts = [("FRAME_TOP_LEFT", 0, 0, 45, 44), ("FRAME_TOP_RIGHT", 1, 0, 45, 44),
                 ("FRAME_BOTTOM_LEFT", 0, 1, 45, 44), ("FRAME_BOTTOM_RIGHT", 1, 1, 45, 44),
                 ("MONITOR_OPEN_TOP", 0, 0, 185, 38), ("MONITOR_CLOSED_TOP", 0, 0, 185, 38),
                 ("MONITOR_OPEN_BOTTOM", 0, 1, 185, 37), ("MONITOR_CLOSED_BOTTOM", 0, 1, 185, 37)]
        for (part, right, bottom, w, h), pct in itertools.product(parts, SCALES):
            with self.subTest(part=part, scale=pct):
                rows, w, h = load("IDB_" + part, pct), R(w * pct / 100), R(h * pct / 100)
                up = R(77 * pct / 100) - len(rows) if bottom and part.startswith("MONITOR") else 0
                ox, oy = (len(rows[0]) - w) * right, 0 if up else (len(rows) - h) * bottom
                inside = cells("IDR_" + part, -up, pct)
                for y in range(h):
                    for x in range(w):
                        a = rows[y + oy][x + ox][3]
                        if (x, y) not in inside:
                            self.assertEqual(a, 0, (x, y))
                        elif any((x + dx, y + dy) not in inside and 0 <= x + dx < w and 0 <= y + dy < h
                                 for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                            self.assertEqual(a, 255, "outline pixel %r" % ((x, y),))

    def test_frame_pieces_join_their_neighbours_and_repeat_seamlessly(self):
        col = lambda rid, x, y0=0, y1=None: [r[x] for r in load(rid)[y0:y1]]  # noqa: E731
        row = lambda rid, y, x0=0, x1=None: load(rid)[y][x0:x1]  # noqa: E731
        tl, te, tr, bl, be, br, lu, le, re, rl = ("IDB_FRAME_" + p for p in (
            "TOP_LEFT", "TOP_EDGE", "TOP_RIGHT", "BOTTOM_LEFT", "BOTTOM_EDGE", "BOTTOM_RIGHT",
            "LEFT_UPPER", "LEFT_EDGE", "RIGHT_EDGE", "RIGHT_LOWER"))
        # along the top bar, the bottom bar, down the left edge and down the right edge
        joins = [(col(tl, 499, 0, 30), col(te, 0)), (col(te, 39), col(te, 0)), (col(te, 39), col(tr, 0, 0, 30)),
                 (col(bl, 59, 20), col(be, 0)), (col(be, 39), col(be, 0)), (col(be, 39), col(br, 0, 20)),
                 (row(tl, 49, 0, 24), row(lu, 0)), (row(lu, 339), row(le, 0)), (row(le, 39), row(le, 0)),
                 (row(le, 39), row(bl, 0, 0, 24)), (row(tr, 49, 36), row(re, 0)), (row(re, 39), row(re, 0)),
                 (row(re, 39), row(rl, 0)), (row(rl, 339), row(br, 0, 476))]
        for n, (a, b) in enumerate(joins):
            self.assertEqual(a, b, "join %d" % n)

    def test_tile_grounds_are_the_greys_the_program_paints_next_to_them(self):
        # Opaque strips are copied onto the tiles; the tiles' marker square is repainted flat
        # while an alert flashes: both must match the tile's grey, pressed or not.
        for rid, frames, pressed_from in (("IDB_TRANSMISSION_LIGHTS", 12, 6), ("IDB_PORT_BADGES", 8, 4),
                                          ("IDB_SLIDER_KNOB", 2, 2), ("IDB_SLIDER_TRACK", 1, 1)):
            for k in range(frames):
                f, grey = frame(rid, k, frames), 224 if k < pressed_from else 165
                self.assertEqual((f[0][0][:3], f[-1][-1][:3]), ((grey,) * 3,) * 2, (rid, k))
        for rid, tops, pressed in (("IDB_TILE_ONLY", (11, 11), (0, 1)), ("IDB_TILE_MIDDLE", (5, 5), (0, 1)),
                                   ("IDB_TILE_FIRST_LAST", (11, 11, 5, 5), (0, 1, 0, 1))):
            for k, top in enumerate(tops):
                f, grey = frame(rid, k, len(tops)), 165 if pressed[k] else 224
                square = {f[y][x] for y in range(top, top + 18) for x in range(10, 28)}
                self.assertEqual(square, {(grey, grey, grey, 255)}, (rid, k))


if __name__ == "__main__":
    GEN = sys.argv.pop(1)
    unittest.main(verbosity=2)
