"""Backgrounds of the monitoring tiles for the four position kinds."""
from .canvas import Image
from .palette import FRAME, PANEL, PRESSED, WHITE, grey
from .shapes import Ellipse, Grow, RoundRect, Union
from .widgets import hstrip

WIDTH = 137


def _ellipse(l, t, r, b):
    return Ellipse((l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2)


# Kind: height and the union of rectangles and ellipses (left, top, right, bottom).
KINDS = {
    0: (41, [RoundRect(0, 6, WIDTH, 35), _ellipse(25, -2, 62, 34), _ellipse(26, 9, 63, 45)]),
    1: (35, [RoundRect(0, 6, WIDTH, 35), _ellipse(25, -2, 62, 34)]),
    2: (29, [RoundRect(0, 0, WIDTH, 29)]),
    3: (35, [RoundRect(0, 0, WIDTH, 29), _ellipse(27, 5, 61, 39)]),
}


def tile(kind, pressed):
    h, parts = KINDS[kind]
    shape = Union(*parts)
    body = PRESSED if pressed else PANEL
    edge = grey(120) if pressed else grey(160)
    img = Image(WIDTH, h)
    img.fill(shape, edge)
    inner = Grow(shape, -1)
    img.fill(inner, body)
    # a lit top edge and a shaded bottom edge separate the rows
    top = 6 if kind in (0, 1) else 0
    bottom = 34 if kind in (0, 1) else 28
    img.hline(1, WIDTH - 1, top + 1, WHITE if not pressed else grey(140), 0.9)
    img.hline(1, WIDTH - 1, bottom - 1, grey(200) if not pressed else grey(150), 0.9)
    # the icon well: a faint ring around where the icon sits
    cy = 11 - 3 + 12 if kind in (0, 1) else 5 - 3 + 12
    well = _ellipse(30, cy - 14, 58, cy + 14)
    img.fill(well - Grow(well, -1), FRAME if not pressed else grey(100), 0.25)
    img.fill(Grow(well, -1) - Grow(well, -2), WHITE, 0.5 if not pressed else 0.2)
    return img


def _pair(kind):
    return hstrip([tile(kind, False), tile(kind, True)])


def first_last():
    """First, first pressed, last, last pressed."""
    return hstrip([tile(kind, pressed) for kind, pressed in ((1, False), (1, True), (3, False), (3, True))])


def middle():
    return _pair(2)


def only():
    return _pair(0)
