"""An RGBA picture in premultiplied floats (0..1), with shape filling and compositing.

Every picture is drawn at a scale s (1 at 96 DPI): its drawing calls take 1x coordinates
and lengths, and the canvas evaluates them on its own grid of R(w * s) x R(h * s) pixels,
so the same drawing code gives crisp art at every scale. Shaders and painters are called
with the 1x position of each pixel, x + 0.5 being the pixel's centre (plain ints at 1x)."""
import math
from contextlib import contextmanager

_SCALE = [1.0]


def R(v):
    """The one rounding rule of scaled sizes and positions."""
    return int(math.floor(v + 0.5))


def cell(v):
    """The 1x pixel that the position a shader or painter is given lies in."""
    return int(v + 0.5)


def current_scale():
    return _SCALE[0]


@contextmanager
def drawn_at(s):
    """Pictures made inside are drawn at scale s."""
    old, _SCALE[0] = _SCALE[0], s
    try:
        yield
    finally:
        _SCALE[0] = old


def run_beyond(shape, margin):
    """How many more pixels along a row surely stay on the same side of a level that the
    shape's distance here passes by margin pixels (none unless the shape is lipschitz)."""
    return int(margin - 1e-9) if margin > 1.0 and shape.lipschitz else 0


def _rgb(c):
    return c[0] / 255.0, c[1] / 255.0, c[2] / 255.0


class Image:
    def __init__(self, w, h, fill=None, scale=None):
        """w x h 1x pixels at scale (the one of drawn_at when None)."""
        self.s = _SCALE[0] if scale is None else scale
        self.w, self.h = R(w * self.s), R(h * self.s)
        self.p = [0.0] * (self.w * self.h * 4)
        if fill is not None:
            self.rect(0, 0, w, h, fill)

    @classmethod
    def sized(cls, w, h, s=1.0):
        """A blank picture of exactly w x h pixels at scale s."""
        img = cls(0, 0, scale=s)
        img.w, img.h, img.p = w, h, [0.0] * (w * h * 4)
        return img

    def _at(self, v):
        # the 1x position handed to shaders for pixel v
        return v if self.s == 1 else (v + 0.5) / self.s - 0.5

    # -- pixels (this picture's own grid) --------------------------------
    def blend(self, x, y, colour, a):
        """Composite a straight colour with alpha a over pixel (x, y)."""
        if a <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = min(a, 1.0)
        i = (y * self.w + x) * 4
        p = self.p
        k = 1.0 - a
        p[i] = p[i] * k + colour[0] / 255.0 * a
        p[i + 1] = p[i + 1] * k + colour[1] / 255.0 * a
        p[i + 2] = p[i + 2] * k + colour[2] / 255.0 * a
        p[i + 3] = p[i + 3] * k + a

    def get(self, x, y):
        """Straight (r, g, b) 0..255 floats and alpha 0..1."""
        i = (y * self.w + x) * 4
        a = self.p[i + 3]
        if a <= 0.0:
            return (0.0, 0.0, 0.0), 0.0
        return (self.p[i] / a * 255, self.p[i + 1] / a * 255, self.p[i + 2] / a * 255), a

    def put(self, x, y, colour, a=1.0):
        i = (y * self.w + x) * 4
        self.p[i:i + 4] = [colour[0] / 255.0 * a, colour[1] / 255.0 * a, colour[2] / 255.0 * a, a]

    def paint(self, fn, box=None):
        """Replace each pixel of the 1x box (x0, y0, x1, y1; all by default) for which
        fn(x, y) gives a colour, or (colour, alpha); None leaves the pixel as it is."""
        s = self.s
        x0, y0, x1, y1 = (0, 0, self.w, self.h) if box is None else (R(v * s) for v in box)
        xs = [(x, self._at(x)) for x in range(max(0, x0), min(self.w, x1))]
        for y in range(max(0, y0), min(self.h, y1)):
            v = self._at(y)
            for x, u in xs:
                c = fn(u, v)
                if c is None:
                    continue
                if len(c) == 2 and isinstance(c[0], tuple):
                    self.put(x, y, *c)
                else:
                    self.put(x, y, c)

    # -- drawing, in 1x coordinates -------------------------------------
    def set(self, x, y, colour, a=1.0):
        """Replace the 1x pixel (x, y)."""
        s = self.s
        for yy in range(max(0, R(y * s)), min(self.h, R((y + 1) * s))):
            for xx in range(max(0, R(x * s)), min(self.w, R((x + 1) * s))):
                self.put(xx, yy, colour, a)

    def clear(self, x, y):
        self.set(x, y, (0, 0, 0), 0.0)

    def rect(self, x0, y0, x1, y1, colour, a=1.0):
        s = self.s
        self._rect(R(x0 * s), R(y0 * s), R(x1 * s), R(y1 * s), colour, a)

    def square(self, x, y, size, colour, a=1.0):
        """A crisp square of R(size * s) pixels from where 1x (x, y) falls: pixel art keeps
        even strokes at any scale."""
        s, side = self.s, R(size * self.s)
        self._rect(R(x * s), R(y * s), R(x * s) + side, R(y * s) + side, colour, a)

    def _rect(self, x0, y0, x1, y1, colour, a):
        if a <= 0.0:
            return
        a = min(a, 1.0)
        k = 1.0 - a
        shader = colour if callable(colour) else None
        if shader is None:
            cr, cg, cb = _rgb(colour)
        p, w = self.p, self.w
        x0, x1 = max(0, x0), min(self.w, x1)
        if shader is None and a == 1.0 and x1 > x0:
            # opaque paint covers what was there: blending would give the same numbers
            row = [cr, cg, cb, 1.0] * (x1 - x0)
            for y in range(max(0, y0), min(self.h, y1)):
                p[(y * w + x0) * 4:(y * w + x1) * 4] = row
            return
        xs = [(x, self._at(x)) for x in range(x0, x1)]
        for y in range(max(0, y0), min(self.h, y1)):
            v = self._at(y)
            for x, u in xs:
                if shader:
                    cr, cg, cb = _rgb(shader(u, v))
                i = (y * w + x) * 4
                p[i] = p[i] * k + cr * a
                p[i + 1] = p[i + 1] * k + cg * a
                p[i + 2] = p[i + 2] * k + cb * a
                p[i + 3] = p[i + 3] * k + a

    def _line(self, v):
        # rows (or columns) of a 1x line at v: R(s) of them, centred on it
        t = R(self.s)
        start = R((v + 0.5) * self.s - t / 2)
        return start, start + t

    def hline(self, x0, x1, y, colour, a=1.0):
        s = self.s
        top, bottom = self._line(y)
        self._rect(R(x0 * s), top, R(x1 * s), bottom, colour, a)

    def vline(self, x, y0, y1, colour, a=1.0):
        s = self.s
        left, right = self._line(x)
        self._rect(left, R(y0 * s), right, R(y1 * s), colour, a)

    def fill(self, shape, colour, a=1.0):
        """Fill a shape; colour is (r, g, b) or a function (x, y) -> (r, g, b)."""
        s = self.s
        inv = 1.0 / s
        b = shape.box
        x0, y0 = max(0, int(math.floor(b[0] * s))), max(0, int(math.floor(b[1] * s)))
        x1, y1 = min(self.w, int(math.ceil(b[2] * s)) + 1), min(self.h, int(math.ceil(b[3] * s)) + 1)
        shader = colour if callable(colour) else None
        if shader is None:
            cr, cg, cb = _rgb(colour)
        p, w = self.p, self.w
        xs = [(x, (x + 0.5) * inv) for x in range(x0, x1)]
        for y in range(y0, y1):
            v = self._at(y)
            for x, cov in _row(shape, s, xs, (y + 0.5) * inv):
                al = a * min(cov, 1.0)
                if al <= 0.0:
                    continue
                if al > 1.0:
                    al = 1.0
                if shader:
                    cr, cg, cb = _rgb(shader(self._at(x), v))
                i = (y * w + x) * 4
                k = 1.0 - al
                p[i] = p[i] * k + cr * al
                p[i + 1] = p[i + 1] * k + cg * al
                p[i + 2] = p[i + 2] * k + cb * al
                p[i + 3] = p[i + 3] * k + al

    def shadow(self, shape, dx, dy, radius, opacity, colour=(0, 0, 0)):
        """A soft shadow of a shape, offset and blurred, composited here."""
        s = self.s
        radius = R(radius * s)
        b = shape.box
        pad = radius + 2
        x0, y0 = int(math.floor((b[0] + dx) * s)) - pad, int(math.floor((b[1] + dy) * s)) - pad
        x1, y1 = int(math.ceil((b[2] + dx) * s)) + pad, int(math.ceil((b[3] + dy) * s)) + pad
        x0, y0, x1, y1 = max(x0, 0), max(y0, 0), min(x1, self.w), min(y1, self.h)
        if x1 <= x0 or y1 <= y0:
            return
        w, h = x1 - x0, y1 - y0
        mask = [0.0] * (w * h)
        xs = [(x, (x0 + x + 0.5) / s - dx) for x in range(w)]
        for y in range(h):
            for x, cov in _row(shape, s, xs, (y0 + y + 0.5) / s - dy):
                mask[y * w + x] = min(1.0, cov)
        for _ in range(2):
            mask = box_blur(mask, w, h, radius)
        for y in range(h):
            for x in range(w):
                self.blend(x0 + x, y0 + y, colour, mask[y * w + x] * opacity)

    def draw(self, src, dx, dy, a=1.0):
        """Composite another picture of this scale over this one at 1x (dx, dy)."""
        self.draw_px(src, R(dx * self.s), R(dy * self.s), a)

    def crop(self, x0, y0, w, h):
        """The 1x box (x0, y0, w, h), R(w * s) x R(h * s) pixels."""
        s = self.s
        return self.crop_px(R(x0 * s), R(y0 * s), R(w * s), R(h * s))

    # -- whole pictures, in this picture's pixels ----------------------------
    def draw_px(self, src, dx, dy, a=1.0):
        """Composite another picture over this one with its top-left at pixel (dx, dy)."""
        x0, x1 = max(0, -dx), min(src.w, self.w - dx)
        for y in range(src.h):
            ty = y + dy
            if not 0 <= ty < self.h or x1 <= x0:
                continue
            row = src.p[(y * src.w + x0) * 4:(y * src.w + x1) * 4]
            if a == 1.0 and row[3::4].count(1.0) == x1 - x0:
                # opaque over anything is itself: copy the row
                self.p[(ty * self.w + x0 + dx) * 4:(ty * self.w + x1 + dx) * 4] = row
                continue
            for x in range(x0, x1):
                tx = x + dx
                if not 0 <= tx < self.w:
                    continue
                i = (y * src.w + x) * 4
                sa = src.p[i + 3] * a
                if sa <= 0.0:
                    continue
                j = (ty * self.w + tx) * 4
                k = 1.0 - sa
                d = self.p
                d[j] = d[j] * k + src.p[i] * a
                d[j + 1] = d[j + 1] * k + src.p[i + 1] * a
                d[j + 2] = d[j + 2] * k + src.p[i + 2] * a
                d[j + 3] = d[j + 3] * k + sa

    def crop_px(self, x0, y0, w, h):
        out = Image.sized(w, h, self.s)
        for y in range(h):
            s = ((y0 + y) * self.w + x0) * 4
            out.p[y * w * 4:(y + 1) * w * 4] = self.p[s:s + w * 4]
        return out

    def cut_outside(self, inside):
        """Make every pixel for which inside(x, y) is false fully transparent."""
        for y in range(self.h):
            for x in range(self.w):
                if not inside(x, y):
                    self.put(x, y, (0, 0, 0), 0.0)

    def recolour(self, fn):
        """Replace each pixel's straight colour by fn(colour), alpha kept."""
        for y in range(self.h):
            for x in range(self.w):
                c, a = self.get(x, y)
                if a > 0:
                    self.put(x, y, fn(c), a)

    # -- output ---------------------------------------------------------
    def rgba8(self):
        """Rows top first, straight alpha, bytes r, g, b, a."""
        p = self.p
        # whole channels as if opaque (most pixels are), then the others one by one
        rgb = [list(map(round, map((255.0).__mul__, p[k::4]))) for k in range(3)]
        rgb = [c if max(c, default=0) <= 255 else [min(255, v) for v in c] for c in rgb]
        alpha = [255] * (len(p) // 4)
        for j, a in enumerate(p[3::4]):
            if a == 1.0:
                continue
            if a * 255 <= 0.5:  # alpha rounds to 0
                rgb[0][j] = rgb[1][j] = rgb[2][j] = alpha[j] = 0
                continue
            for k in range(3):
                rgb[k][j] = min(255, round(p[4 * j + k] / a * 255))
            alpha[j] = round(min(a, 1.0) * 255)
        out = bytearray(len(p))
        out[0::4], out[1::4], out[2::4], out[3::4] = bytes(rgb[0]), bytes(rgb[1]), bytes(rgb[2]), bytes(alpha)
        return out

    def scaled(self, w, h):
        """Resampled to w x h pixels by area averaging (down) or nearest pixel (up), premultiplied."""
        out = Image.sized(w, h, self.s * w / self.w)
        fx, fy = self.w / w, self.h / h
        for y in range(h):
            sy0, sy1 = int(y * fy), max(int(y * fy) + 1, int((y + 1) * fy))
            for x in range(w):
                sx0, sx1 = int(x * fx), max(int(x * fx) + 1, int((x + 1) * fx))
                acc = [0.0, 0.0, 0.0, 0.0]
                n = 0
                for yy in range(sy0, min(sy1, self.h)):
                    for xx in range(sx0, min(sx1, self.w)):
                        i = (yy * self.w + xx) * 4
                        for k in range(4):
                            acc[k] += self.p[i + k]
                        n += 1
                j = (y * w + x) * 4
                out.p[j:j + 4] = [v / max(n, 1) for v in acc]
        return out

    def flattened(self, background):
        """The picture composited over an opaque colour."""
        out = Image.sized(self.w, self.h, self.s)
        out._rect(0, 0, self.w, self.h, background, 1.0)
        out.draw_px(self, 0, 0)
        return out


def _row(shape, s, xs, cy):
    """(x, coverage) of the pixels of one row that the shape touches, for the 1x centres
    xs = [(x, centre)] on row centre cy; coverage is 0.5 - distance in pixels, and may
    exceed 1."""
    d = shape.d
    out = []
    i, n = 0, len(xs)
    while i < n:
        x, cx = xs[i]
        dist = d(cx, cy) * s
        i += 1
        if dist >= 0.5:
            i += run_beyond(shape, dist - 0.5)
            continue
        out.append((x, 0.5 - dist))
        whole = min(n, i + run_beyond(shape, -0.5 - dist))
        out += [(xs[j][0], 1.0) for j in range(i, whole)]
        i = whole
    return out


def box_blur(mask, w, h, r):
    if r <= 0:
        return mask
    n = 2 * r + 1
    tmp = [0.0] * (w * h)
    for y in range(h):
        row = mask[y * w:(y + 1) * w]
        acc = sum(row[0:min(r, w)]) 
        for x in range(w):
            if x + r < w:
                acc += row[x + r]
            if x - r - 1 >= 0:
                acc -= row[x - r - 1]
            tmp[y * w + x] = acc / n
    out = [0.0] * (w * h)
    for x in range(w):
        acc = sum(tmp[y * w + x] for y in range(min(r, h)))
        for y in range(h):
            if y + r < h:
                acc += tmp[(y + r) * w + x]
            if y - r - 1 >= 0:
                acc -= tmp[(y - r - 1) * w + x]
            out[y * w + x] = acc / n
    return out


def mix(a, b, t):
    """Straight blend of two colours, t = 0 gives a."""
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def vgrad(y0, y1, c0, c1):
    """A shader: colour c0 at row y0 to c1 at row y1."""
    span = max(1e-6, y1 - y0)
    return lambda x, y: mix(c0, c1, max(0.0, min(1.0, (y + 0.5 - y0) / span)))


def hgrad(x0, x1, c0, c1):
    span = max(1e-6, x1 - x0)
    return lambda x, y: mix(c0, c1, max(0.0, min(1.0, (x + 0.5 - x0) / span)))
