"""Signed-distance shapes: negative inside, in pixels, sampled at pixel centres.

Coverage of a pixel is 0.5 - distance, clamped, which gives anti-aliased
edges without supersampling (and keeps generation fast in pure Python).

A shape whose d changes by at most the distance moved (exact distances, and min, max
and offsets of them) says so with lipschitz; filling then skips the pixels it knows to be
far outside or deep inside without asking d for each.
"""
import math


class Shape:
    box = (-1e9, -1e9, 1e9, 1e9)  # x0, y0, x1, y1 (exclusive) the shape can touch
    lipschitz = True

    def d(self, x, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Diff(self, other)

    def __and__(self, other):
        return Inter(self, other)


def _grow(box, r):
    return (box[0] - r, box[1] - r, box[2] + r, box[3] + r)


class RoundRect(Shape):
    """Rectangle x0 <= x < x1, y0 <= y < y1 with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.r = min(r, self.hx, self.hy)
        self.box = (x0 - 1, y0 - 1, x1 + 1, y1 + 1)

    def d(self, x, y):
        # hypot(q, 0) is q: the corner case alone needs the square root
        r = self.r
        qx = abs(x - self.cx) - self.hx + r
        qy = abs(y - self.cy) - self.hy + r
        if qx > 0.0:
            return (math.hypot(qx, qy) if qy > 0.0 else qx) + 0.0 - r
        if qy > 0.0:
            return qy + 0.0 - r
        return 0.0 + (qy if qy > qx else qx) - r


class OvalCornerRect(Shape):
    """Rectangle whose corners are quarter ellipses of radii rx, ry."""

    def __init__(self, x0, y0, x1, y1, rx, ry):
        self.k = rx / ry
        self.lipschitz = self.k >= 1  # squeezed vertically only
        self.cy = (y0 + y1) / 2
        half = (y1 - y0) / 2 * self.k
        self.inner = RoundRect(x0, self.cy - half, x1, self.cy + half, rx)
        self.box = (x0 - 1, y0 - 1, x1 + 1, y1 + 1)

    def d(self, x, y):
        return self.inner.d(x, self.cy + (y - self.cy) * self.k) / self.k


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.box = (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1)

    def d(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Ellipse(Shape):
    """Approximate distance, good enough for edges of a few pixels."""
    lipschitz = False

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.box = (cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1)

    def d(self, x, y):
        nx, ny = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        k = math.hypot(nx, ny)
        if k == 0:
            return -min(self.rx, self.ry)
        grad = math.hypot(nx / self.rx, ny / self.ry)
        return (k - 1.0) * k / grad if grad else 0.0


class Segment(Shape):
    """A line from a to b with round caps, half-width w."""

    def __init__(self, ax, ay, bx, by, w):
        self.a, self.b, self.w = (ax, ay), (bx, by), w
        self.box = _grow((min(ax, bx), min(ay, by), max(ax, bx), max(ay, by)), w + 1)

    def d(self, x, y):
        (ax, ay), (bx, by) = self.a, self.b
        dx, dy = bx - ax, by - ay
        ll = dx * dx + dy * dy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - self.w


class Polygon(Shape):
    def __init__(self, pts):
        self.pts = list(pts)
        xs, ys = [p[0] for p in self.pts], [p[1] for p in self.pts]
        self.box = (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1)

    def d(self, x, y):
        pts = self.pts
        best = 1e18
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            (xi, yi), (xj, yj) = pts[i], pts[j]
            ex, ey = xj - xi, yj - yi
            ll = ex * ex + ey * ey
            t = max(0.0, min(1.0, ((x - xi) * ex + (y - yi) * ey) / ll)) if ll else 0.0
            px, py = x - xi - t * ex, y - yi - t * ey
            best = min(best, px * px + py * py)
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        dist = math.sqrt(best)
        return -dist if inside else dist


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts
        self.lipschitz = all(p.lipschitz for p in parts)
        self.box = (min(p.box[0] for p in parts), min(p.box[1] for p in parts),
                    max(p.box[2] for p in parts), max(p.box[3] for p in parts))

    def d(self, x, y):
        return min(p.d(x, y) for p in self.parts)


class Inter(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.lipschitz = a.lipschitz and b.lipschitz
        self.box = (max(a.box[0], b.box[0]), max(a.box[1], b.box[1]),
                    min(a.box[2], b.box[2]), min(a.box[3], b.box[3]))

    def d(self, x, y):
        return max(self.a.d(x, y), self.b.d(x, y))


class Diff(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.lipschitz = a.lipschitz and b.lipschitz
        self.box = a.box

    def d(self, x, y):
        return max(self.a.d(x, y), -self.b.d(x, y))


class Grow(Shape):
    """The shape expanded (r > 0) or shrunk (r < 0) by r pixels."""

    def __init__(self, s, r):
        self.s, self.r = s, r
        self.lipschitz = s.lipschitz
        self.box = _grow(s.box, max(r, 0))

    def d(self, x, y):
        return self.s.d(x, y) - self.r


class Ring(Shape):
    """A band of half-width w around the outline of a shape."""

    def __init__(self, s, w):
        self.s, self.w = s, w
        self.lipschitz = s.lipschitz
        self.box = _grow(s.box, w)

    def d(self, x, y):
        return abs(self.s.d(x, y)) - self.w


class Moved(Shape):
    def __init__(self, s, dx, dy):
        self.s, self.dx, self.dy = s, dx, dy
        self.lipschitz = s.lipschitz
        b = s.box
        self.box = (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy)

    def d(self, x, y):
        return self.s.d(x - self.dx, y - self.dy)


def star(cx, cy, r_out, r_in, n, turn=-math.pi / 2):
    pts = []
    for k in range(2 * n):
        r = r_out if k % 2 == 0 else r_in
        a = turn + k * math.pi / n
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return Polygon(pts)


def regular(cx, cy, r, n, turn=-math.pi / 2):
    return Polygon([(cx + r * math.cos(turn + 2 * math.pi * k / n),
                     cy + r * math.sin(turn + 2 * math.pi * k / n)) for k in range(n)])
