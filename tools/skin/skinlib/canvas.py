"""An RGBA picture in premultiplied floats (0..1), with shape filling and compositing."""
import math


def _rgb(c):
    return c[0] / 255.0, c[1] / 255.0, c[2] / 255.0


class Image:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.p = [0.0] * (w * h * 4)
        if fill is not None:
            self.rect(0, 0, w, h, fill)

    # -- pixels ---------------------------------------------------------
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

    def set(self, x, y, colour, a=1.0):
        i = (y * self.w + x) * 4
        self.p[i:i + 4] = [colour[0] / 255.0 * a, colour[1] / 255.0 * a, colour[2] / 255.0 * a, a]

    def clear(self, x, y):
        i = (y * self.w + x) * 4
        self.p[i:i + 4] = [0.0, 0.0, 0.0, 0.0]

    # -- drawing --------------------------------------------------------
    def rect(self, x0, y0, x1, y1, colour, a=1.0):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, colour if not callable(colour) else colour(x, y), a)

    def hline(self, x0, x1, y, colour, a=1.0):
        self.rect(x0, y, x1, y + 1, colour, a)

    def vline(self, x, y0, y1, colour, a=1.0):
        self.rect(x, y0, x + 1, y1, colour, a)

    def fill(self, shape, colour, a=1.0):
        """Fill a shape; colour is (r, g, b) or a function (x, y) -> (r, g, b)."""
        b = shape.box
        x0, y0 = max(0, int(math.floor(b[0]))), max(0, int(math.floor(b[1])))
        x1, y1 = min(self.w, int(math.ceil(b[2])) + 1), min(self.h, int(math.ceil(b[3])) + 1)
        shader = colour if callable(colour) else None
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                cov = 0.5 - shape.d(x + 0.5, cy)
                if cov <= 0.0:
                    continue
                self.blend(x, y, shader(x, y) if shader else colour, a * min(cov, 1.0))

    def shadow(self, shape, dx, dy, radius, opacity, colour=(0, 0, 0)):
        """A soft shadow of a shape, offset and blurred, composited here."""
        b = shape.box
        pad = radius + 2
        x0, y0 = int(math.floor(b[0] + dx)) - pad, int(math.floor(b[1] + dy)) - pad
        x1, y1 = int(math.ceil(b[2] + dx)) + pad, int(math.ceil(b[3] + dy)) + pad
        x0, y0, x1, y1 = max(x0, 0), max(y0, 0), min(x1, self.w), min(y1, self.h)
        if x1 <= x0 or y1 <= y0:
            return
        w, h = x1 - x0, y1 - y0
        mask = [0.0] * (w * h)
        for y in range(h):
            for x in range(w):
                mask[y * w + x] = max(0.0, min(1.0, 0.5 - shape.d(x0 + x + 0.5 - dx, y0 + y + 0.5 - dy)))
        for _ in range(2):
            mask = box_blur(mask, w, h, radius)
        for y in range(h):
            for x in range(w):
                self.blend(x0 + x, y0 + y, colour, mask[y * w + x] * opacity)

    def draw(self, src, dx, dy, a=1.0):
        """Composite another picture over this one at (dx, dy)."""
        for y in range(src.h):
            ty = y + dy
            if not 0 <= ty < self.h:
                continue
            for x in range(src.w):
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

    def crop(self, x0, y0, w, h):
        out = Image(w, h)
        for y in range(h):
            s = ((y0 + y) * self.w + x0) * 4
            out.p[y * w * 4:(y + 1) * w * 4] = self.p[s:s + w * 4]
        return out

    def cut_outside(self, inside):
        """Make every pixel for which inside(x, y) is false fully transparent."""
        for y in range(self.h):
            for x in range(self.w):
                if not inside(x, y):
                    self.clear(x, y)

    def recolour(self, fn):
        """Replace each pixel's straight colour by fn(colour), alpha kept."""
        for y in range(self.h):
            for x in range(self.w):
                c, a = self.get(x, y)
                if a > 0:
                    self.set(x, y, fn(c), a)

    # -- output ---------------------------------------------------------
    def rgba8(self):
        """Rows top first, straight alpha, bytes r, g, b, a."""
        out = bytearray(self.w * self.h * 4)
        p = self.p
        for i in range(0, len(p), 4):
            a = p[i + 3]
            a8 = int(round(min(a, 1.0) * 255))
            if a8 == 0:
                continue
            out[i] = min(255, int(round(p[i] / a * 255)))
            out[i + 1] = min(255, int(round(p[i + 1] / a * 255)))
            out[i + 2] = min(255, int(round(p[i + 2] / a * 255)))
            out[i + 3] = a8
        return out

    def scaled(self, w, h):
        """Resampled by area averaging (down) or nearest pixel (up), premultiplied."""
        out = Image(w, h)
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
        out = Image(self.w, self.h, background)
        out.draw(self, 0, 0)
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
