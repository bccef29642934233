"""How the pictures fit together: outlines against the window regions, seams between
frame pieces, and the plain grounds that the program paints over or next to."""
import math
import unittest

from skinfiles import region_cells

load = frame_of = None


def bind(loader, frames):
    global load, frame_of
    load, frame_of = loader, frames


# Corner regions and the frame piece whose corner box they shape: piece, box offset in it.
CORNER_PIECES = {174: (147, 0, 0), 175: (148, 15, 0), 176: (149, 0, 6), 177: (150, 455, 6)}


class Outlines(unittest.TestCase):
    def test_frame_corners_are_drawn_exactly_to_their_regions(self):
        for rid, (piece, ox, oy) in CORNER_PIECES.items():
            with self.subTest(region=rid):
                cells, pic = region_cells(load(rid)), load(piece)
                for y in range(44):
                    for x in range(45):
                        a = pic.alpha(ox + x, oy + y)
                        if (x, y) not in cells:
                            self.assertEqual(a, 0, (x, y))
                        elif any((x + dx, y + dy) not in cells and 0 <= x + dx < 45 and 0 <= y + dy < 44
                                 for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                            self.assertEqual(a, 255, "outline pixel %r" % ((x, y),))

    def monitor(self, open_, h):
        """The picture and the region of the monitoring window of height h, built the
        way the window builds them."""
        top, bottom = (load(139), load(140)) if open_ else (load(141), load(142))
        rows = [list(top.rows[y]) for y in range(min(h, 77))] + [[(0, 0, 0, 0)] * 185] * max(0, h - 77)
        if open_:
            for y in range(38, h - 41, 4):           # four source rows stretched from each y
                for yy in range(y, h):
                    rows[yy] = list(top.rows[37 + min(3, (yy - y) * 4 // (h - 38))])
        else:
            for yy in range(39, h):
                rows[yy] = list(top.rows[38 + min(3, (yy - 39) * 4 // (h - 38))])
        for y in range(38):
            for x in range(185):
                p = bottom.rows[y][x]
                if p[3]:
                    rows[h - 38 + y][x] = p
        cells = region_cells(load(172 if open_ else 173)) | region_cells(load(170 if open_ else 171), 0, h - 77)
        if h >= 79:
            x0, x1 = (0, 184) if open_ else (17, 168)
            cells |= {(x, y) for y in range(38, h - 38) for x in range(x0, x1)}
        return rows, cells

    def test_monitor_window_is_opaque_over_its_whole_region_at_every_height(self):
        for open_ in (False, True):
            for tiles in (1, 2, 5):
                h = 48 + 29 * tiles
                with self.subTest(open=open_, height=h):
                    rows, cells = self.monitor(open_, h)
                    holes = [c for c in cells if rows[c[1]][c[0]][3] != 255]
                    self.assertEqual(holes, [])

    def test_monitor_pictures_draw_nothing_outside_their_regions(self):
        for pic_id, rgn_id, pic_top in ((141, 173, 0), (139, 172, 0), (142, 171, 39), (140, 170, 39)):
            with self.subTest(picture=pic_id):
                pic, cells = load(pic_id), region_cells(load(rgn_id))
                rows = range(0, 38) if pic_top == 0 else range(0, 37)
                stray = [(x, y) for y in rows for x in range(185)
                         if pic.alpha(x, y) and (x, y + pic_top) not in cells
                         and not (pic_top == 0 and y >= 38)]
                self.assertEqual(stray, [])


def cols_equal(tc, a, ax, b, bx, y0, y1, what):
    tc.assertEqual(a.column(ax, y0, y1), b.column(bx, y0, y1), what)



def rows_equal(tc, a, ay, b, by, x0, x1, what):
    tc.assertEqual(a.row(ay, x0, x1), b.row(by, x0, x1), what)


class Seams(unittest.TestCase):
    def test_frame_pieces_join_their_neighbours_and_themselves(self):
        p = {i: load(i) for i in (147, 148, 149, 150, 154, 156, 158, 159, 178, 179)}
        # along the top bar: 147 | 154 ... 154 | 148 (the bar's 30 rows)
        cols_equal(self, p[147], 499, p[154], 0, 0, 30, "147 to 154")
        cols_equal(self, p[154], 39, p[154], 0, 0, 30, "154 repeated")
        cols_equal(self, p[154], 39, p[148], 0, 0, 30, "154 to 148")
        # along the bottom bar: 149 | 159 ... 159 | 150 (its lower 30 rows)
        self.assertEqual(p[149].column(59, 20, 50), p[159].column(0), "149 to 159")
        self.assertEqual(p[159].column(39), p[159].column(0), "159 repeated")
        self.assertEqual(p[159].column(39), p[150].column(0, 20, 50), "159 to 150")
        # down the left edge: 147 / 178 / 156 ... 156 / 149
        rows_equal(self, p[147], 49, p[178], 0, 0, 24, "147 to 178")
        rows_equal(self, p[178], 339, p[156], 0, 0, 24, "178 to 156")
        rows_equal(self, p[156], 39, p[156], 0, 0, 24, "156 repeated")
        rows_equal(self, p[156], 39, p[149], 0, 0, 24, "156 to 149")
        # down the right edge: 148 / 158 ... 158 / 179 / 150
        self.assertEqual(p[148].row(49, 36, 60), p[158].row(0), "148 to 158")
        rows_equal(self, p[158], 39, p[158], 0, 0, 24, "158 repeated")
        rows_equal(self, p[158], 39, p[179], 0, 0, 24, "158 to 179")
        self.assertEqual(p[179].row(339), p[150].row(0, 476, 500), "179 to 150")

    def test_background_texture_wraps(self):
        tex = load(102)
        for what, a, b in (("columns", tex.column(63), tex.column(0)), ("rows", tex.row(63), tex.row(0))):
            diff = max(abs(pa[k] - pb[k]) for pa, pb in zip(a, b) for k in range(3))
            self.assertLessEqual(diff, 12, what)


class Grounds(unittest.TestCase):
    """Opaque bitmaps are copied onto the tiles, and the tiles' marker square is
    repainted flat while an alert flashes: both must match the tile's grey."""

    def test_opaque_strips_sit_on_the_tile_grey(self):
        for rid, frames, normal in ((132, 12, 6), (128, 8, 4), (134, 2, 2), (133, 1, 1)):
            pic = load(rid)
            for k in range(frames):
                with self.subTest(id=rid, frame=k):
                    f = frame_of(pic, k, frames)
                    grey = 224 if k < normal else 165
                    self.assertEqual(f[0][0][:3], (grey,) * 3)
                    self.assertEqual(f[-1][-1][:3], (grey,) * 3)

    def test_marker_square_of_each_tile_is_plain_grey(self):
        for rid, frames, y0s, pressed in ((111, 2, (11, 11), (0, 1)), (110, 4, (11, 11, 5, 5), (0, 1, 0, 1)),
                                          (109, 2, (5, 5), (0, 1))):
            pic = load(rid)
            for k in range(frames):
                with self.subTest(id=rid, frame=k):
                    f = frame_of(pic, k, frames)
                    grey = 165 if pressed[k] else 224
                    square = {f[y][x] for y in range(y0s[k], y0s[k] + 18) for x in range(10, 28)}
                    self.assertEqual(square, {(grey, grey, grey, 255)})

    def test_tiles_fill_their_hit_shapes(self):
        def ellipse(l, t, r, b):
            return lambda x, y: math.hypot((x - (l + r) / 2) / ((r - l) / 2), (y - (t + b) / 2) / ((b - t) / 2))

        shapes = {0: [(0, 6, 137, 35), ellipse(25, -2, 62, 34), ellipse(26, 9, 63, 45)],
                  1: [(0, 6, 137, 35), ellipse(25, -2, 62, 34)], 2: [(0, 0, 137, 29)],
                  3: [(0, 0, 137, 29), ellipse(27, 5, 61, 39)]}

        def depth(kind, x, y):  # > 0 well inside, < 0 well outside (about a pixel)
            best = -9
            for s in shapes[kind]:
                if callable(s):
                    best = max(best, (1 - s(x, y)) * 17)
                else:
                    best = max(best, min(x - s[0], s[2] - x, y - s[1], s[3] - y))
            return best

        for rid, kinds in ((111, (0, 0)), (110, (1, 1, 3, 3)), (109, (2, 2))):
            pic = load(rid)
            for k, kind in enumerate(kinds):
                with self.subTest(id=rid, frame=k):
                    f = frame_of(pic, k, len(kinds))
                    for y in range(pic.h):
                        for x in range(137):
                            d = depth(kind, x + 0.5, y + 0.5)
                            if d > 1.2:
                                self.assertEqual(f[y][x][3], 255, (x, y))
                            elif d < -1.2:
                                self.assertEqual(f[y][x][3], 0, (x, y))
