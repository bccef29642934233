"""The monitoring window's frame: a narrow capsule when closed, a full bezel when the
pointer is over it; images and the matching window-shape regions.

Rows 36 to 41 of every picture are the plain cross-section that the window stretches
to its height, so only the top and bottom 35 rows carry detail."""
import math

from . import ids
from .canvas import R, cell, current_scale, mix
from .chrome import paint_outlined, inside_mask
from .formats import bands
from .palette import ACCENT, WHITE, grey, streaks
from .shapes import Circle, OvalCornerRect, RoundRect

W = 185
# Oval corners: wide and shallow, so the outline reads as one smooth capsule.
CLOSED_R = (50.0, 28.0)
OPEN_R = (48.0, 34.0)
GRAIN = streaks(W, 7)


def outline(open_, h):
    if open_:
        return OvalCornerRect(0, 0, W - 1, h - 1, *OPEN_R)
    return OvalCornerRect(17, 10, W - 17, h - 10, *CLOSED_R)


def _well(h):
    return RoundRect(22, 15, W - 22, h - 15, 6)


def _screw(x, y, cx, cy):
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    if d > 2.6:
        return None
    if d > 1.9:
        return grey(110)
    slot = abs((x + 0.5 - cx) - (y + 0.5 - cy)) < 0.6
    return grey(120) if slot else mix(grey(235), grey(175), (y + 0.5 - cy + 2) / 4)


def _body(open_, h):
    well = _well(h)
    left, right = (0, W - 1) if open_ else (17, W - 17)
    screws = [(17, 13), (W - 19, 13), (17, h - 15), (W - 19, h - 15)] if open_ else []

    def colour(x, y, depth):
        dw = well.d(x + 0.5, y + 0.5)
        if dw < 0:  # the recess behind the tiles
            c = grey(172)
            if y < 36:
                c = mix(grey(120), c, min(1.0, (y - 15) / 5.0))
            if dw > -1.0:
                c = grey(105)
            return c
        # rounded metal across the width, brushed along the height
        t = (x + 0.5 - left) / (right - left)
        c = grey(200 + 34 * math.sin(math.pi * min(max(t, 0), 1)) ** 0.6 + GRAIN[cell(x)] * 4)
        if y < 36:
            c = mix(c, WHITE, max(0.0, 0.25 - y / 80.0))
        if y >= h - 35:
            c = mix(c, grey(150), max(0.0, (y - (h - 35)) / 140.0))
        if dw < 1.2:  # light lip around the recess
            c = mix(c, WHITE, 0.7)
        for sx, sy in screws:
            s = _screw(x, y, sx, sy)
            if s is not None:
                return s
        if open_ and x + y >= W + h - 30 and x < W - 6 and y < h - 6 and dw > 2:
            ridge = (x + y) % 4
            if ridge < 1:
                return grey(120)
            if ridge < 2:
                return WHITE
        return c
    return colour


def picture(open_, h=77):
    img = paint_outlined(W, h, outline(open_, h), _body(open_, h))
    if open_:  # a small power lamp at the top-left
        img.fill(Circle(30.5, 8.5, 2.2), grey(90))
        img.fill(Circle(30.5, 8.5, 1.5), ACCENT)
        img.fill(Circle(30.0, 8.0, 0.6), WHITE, 0.8)
    return img


# The pictures are cut from a window several rows tall, so that the rows the window
# stretches lie between the caps; the window joins top and bottom at any height.
TALL = 77 + 29 * 3


def images():
    """The open and closed tops and bottoms, and the row slice."""
    opened, closed = picture(True, TALL), picture(False, TALL)
    return {
        ids.IDB_MONITOR_OPEN_TOP: opened.crop(0, 0, W, 77),
        ids.IDB_MONITOR_OPEN_BOTTOM: opened.crop(0, TALL - 38, W, 38),
        ids.IDB_MONITOR_CLOSED_TOP: closed.crop(0, 0, W, 77),
        ids.IDB_MONITOR_CLOSED_BOTTOM: closed.crop(0, TALL - 38, W, 38),
        ids.IDB_MONITOR_ROW: opened.crop(0, 38, W, 29),
    }


def regions():
    """The open and closed tops and bottoms, in the coordinates of a window 77 rows high
    (the bottom pieces move down with the height)."""
    out = {}
    s = current_scale()
    w, h = R(W * s), R(77 * s)
    shift = R(TALL * s) - h
    for rid, open_, y0, y1, dy in ((ids.IDR_MONITOR_OPEN_TOP, True, 0, 38, 0),
                                   (ids.IDR_MONITOR_OPEN_BOTTOM, True, 38, 77, shift),
                                   (ids.IDR_MONITOR_CLOSED_TOP, False, 0, 40, 0),
                                   (ids.IDR_MONITOR_CLOSED_BOTTOM, False, 38, 77, shift)):
        inside = inside_mask(outline(open_, TALL), w, R(TALL * s), s)
        top, bottom = R(y0 * s), R(y1 * s)
        out[rid] = bands(lambda x, y: top <= y < bottom and inside(x, y + dy), w, h)
    return out
