"""The application icon, the tray images for severities 1 to 4, and the cursors."""
from . import ids
from .canvas import Image, R, drawn_at, vgrad
from .markers import severity_marker
from .palette import ACCENT, WHITE, grey, lighter, darker
from .shapes import Circle, Grow, Polygon, RoundRect, Segment, Union

def _logo(s, muted=False):
    """A brushed-metal tile with a blue gauge and an activity trace, drawn at s x s."""
    k = s / 32.0
    img = Image(s, s, scale=1.0)
    tile = RoundRect(1 * k, 1 * k, 31 * k, 30 * k, 7 * k)
    img.shadow(tile, 0, max(1, round(k)), 1, 0.35)
    img.fill(tile, vgrad(0, 30 * k, grey(250), grey(178)))
    img.fill(tile - Grow(tile, -1), grey(80))
    blue = grey(150) if muted else ACCENT
    dial = Circle(16 * k, 15.5 * k, 10.5 * k)
    img.fill(dial, vgrad(5 * k, 26 * k, lighter(blue, 0.35), darker(blue, 0.25)))
    img.fill(dial - Grow(dial, -max(1, k)), darker(blue, 0.5))
    trace = [(7, 16), (11.5, 16), (14, 10), (18, 21), (20.5, 16), (25, 16)]
    w = 1.3 * k if s > 16 else 0.85
    for a, b in zip(trace, trace[1:]):
        img.fill(Segment(a[0] * k, a[1] * k, b[0] * k, b[1] * k, w), WHITE)
    return img


def _both(big):
    # The small image is the large one averaged down: cleaner than drawing at 16.
    return [big, big.scaled(16, 16)]


def app_icon():
    """32 and 16 pixels, then 24 and 48 for displays at 150 and 200 %."""
    return _both(_logo(32)) + [_logo(24), _logo(48)]


def tray_icon(level):
    """The application's tile, muted, carrying the severity marker large."""
    img = _logo(32, muted=True)
    img.draw(severity_marker(level).scaled(20, 20), 12, 12)
    return _both(img) + [_tray(level, 24), _tray(level, 48)]


def _tray(level, size):
    # the marker drawn at its size on the tile, 20/32 of it, rather than resampled
    k = size / 32.0
    img = _logo(size, muted=True)
    with drawn_at(20 * k / 18):
        img.draw_px(severity_marker(level), R(12 * k), R(12 * k))
    return img


# -- cursors: drawn at 32 x 32, white with a black outline and a soft shadow --------

def _cursor(shape, extra=None):
    img = Image(32, 32)
    img.shadow(shape, 1, 1, 1, 0.4)
    img.fill(shape, WHITE)
    img.fill(Grow(shape, 0.6) - Grow(shape, -0.6), grey(0))
    if extra:
        extra(img)
    return img


def arrow():
    return _cursor(Polygon([(1, 1), (1, 22), (6, 17.5), (9.6, 25.5), (13, 24), (9.6, 16.2), (16, 16.2)]))


def _hand(closed):
    parts = [RoundRect(7, 13, 22, 27, 4.5)]  # palm
    if closed:
        parts += [Circle(9 + 4 * i, 13.5, 2.4) for i in range(4)] + [RoundRect(4, 15, 9, 22, 2.4)]
    else:
        parts += [RoundRect(8, 1.5, 12.6, 18, 2.3)]                      # pointing finger
        parts += [RoundRect(12.4 + 3.2 * i, 9.5 + (1 if i == 2 else 0), 15.8 + 3.2 * i, 18, 1.7) for i in range(3)]
        parts += [Polygon([(3.5, 15.5), (6, 13.5), (9, 18), (8, 21)])]  # thumb
    return Union(*parts)


def _knuckles(img):
    for i in range(3):
        img.fill(Segment(11 + 4 * i, 12.5, 11 + 4 * i, 15.5, 0.45), grey(0))


def grab():
    return _cursor(_hand(True), _knuckles)


def pointer():
    return _cursor(_hand(False))


def move():
    c, r, a, w = 12, 10.5, 4.2, 1.3
    arms = [RoundRect(c - w, c - r + 3, c + w, c + r - 3), RoundRect(c - r + 3, c - w, c + r - 3, c + w)]
    heads = [Polygon([(c, c - r - 1), (c + a, c - r + a), (c - a, c - r + a)]),
             Polygon([(c, c + r + 1), (c + a, c + r - a), (c - a, c + r - a)]),
             Polygon([(c - r - 1, c), (c - r + a, c - a), (c - r + a, c + a)]),
             Polygon([(c + r + 1, c), (c + r - a, c - a), (c + r - a, c + a)])]
    return _cursor(Union(*(arms + heads)))


# id: (picture at 32 x 32, hotspot at 32 x 32)
CURSORS = {ids.IDC_SKIN_GRAB: (grab, (14, 16)), ids.IDC_SKIN_ARROW: (arrow, (1, 1)),
           ids.IDC_SKIN_POINTER: (pointer, (10, 2)), ids.IDC_SKIN_MOVE: (move, (12, 12))}


def cursor_images(cid):
    """32 and 16 pixels, then drawn at 1.5 and 2 times 32; a hotspot for each."""
    draw, (hx, hy) = CURSORS[cid]
    images, spots = _both(draw()), [(hx, hy), (hx // 2, hy // 2)]
    for s in (1.5, 2.0):
        with drawn_at(s):
            images.append(draw())
        spots.append((R(hx * s), R(hy * s)))
    return images, spots
