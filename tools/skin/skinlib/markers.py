"""Severity markers, transmission lights, port badges and hub plates."""
import math

from .canvas import Image, vgrad
from .palette import ACCENT, FRAME, INK, OUTLINE, PANEL, PRESSED, SEVERITY, WHITE, grey, lighter, darker
from .shapes import Circle, Grow, Polygon, RoundRect, Segment, regular, Moved
from .widgets import hstrip, plate


def _badge_shape(level):
    c = 9.0
    if level == 0:
        return Circle(c, c, 7.6)                      # circle
    if level == 1:
        return RoundRect(1.8, 1.8, 16.2, 16.2, 3.2)   # rounded square
    if level == 2:
        return Polygon([(c, 0.6), (17.4, c), (c, 17.4), (0.6, c)])  # diamond
    if level == 3:
        return Polygon([(c, 1.0), (17.4, 16.2), (0.6, 16.2)])      # triangle
    return regular(c, c, 8.2, 8, -math.pi / 8)        # octagon


def _severity_mark(img, level, ink):
    if level == 0:      # check
        img.fill(Segment(5.4, 9.3, 8.0, 11.9, 1.2) | Segment(8.0, 11.9, 12.8, 6.3, 1.2), ink)
    elif level == 1:    # up arrow: can do better
        img.fill(Segment(9, 13.2, 9, 6.0, 1.1), ink)
        img.fill(Segment(5.7, 8.6, 9, 5.0, 1.1) | Segment(9, 5.0, 12.3, 8.6, 1.1), ink)
    elif level == 2:    # question mark
        arc = Polygon([(6.0, 7.3), (6.6, 5.4), (8.2, 4.5), (10.2, 4.6), (11.7, 5.8), (11.8, 7.6),
                       (10.4, 9.0), (9.0, 9.8), (9.0, 11.0)])
        for a, b in zip(arc.pts, arc.pts[1:]):
            img.fill(Segment(a[0], a[1], b[0], b[1], 1.0), ink)
        img.fill(Circle(9.0, 13.4, 1.15), ink)
    elif level == 3:    # exclamation mark
        img.fill(Segment(9, 6.4, 9, 10.8, 1.15), ink)
        img.fill(Circle(9, 13.6, 1.15), ink)
    else:               # cross
        img.fill(Segment(6.0, 6.0, 12.0, 12.0, 1.25) | Segment(12.0, 6.0, 6.0, 12.0, 1.25), ink)


def severity_marker(level):
    img = Image(18, 18)
    shape = _badge_shape(level)
    base = SEVERITY[level]
    img.shadow(shape, 0, 1, 1, 0.35)
    img.fill(shape, vgrad(1, 17, lighter(base, 0.25), darker(base, 0.12)))
    gloss = shape & RoundRect(0, 0, 18, 8.5, 0)
    img.fill(Grow(gloss, -1.2), WHITE, 0.22)
    img.fill(shape - Grow(shape, -1), darker(base, 0.45))
    _severity_mark(img, level, INK if level == 3 else WHITE)
    return img


def severity_markers():
    return hstrip([severity_marker(k) for k in range(5)])


# -- transmission light: frame 0 brightest .. 4 idle, 5 unlit; 6..11 pressed ------

LED = (70, 230, 95)


def _light(level, pressed):
    bg = PRESSED if pressed else PANEL
    img = Image(13, 13, bg)
    bezel = Circle(6.5, 6.5, 5.9)
    img.fill(bezel, vgrad(0, 13, grey(120), grey(245)))
    img.fill(bezel - Grow(bezel, -0.8), FRAME)
    lens = Circle(6.5, 6.5, 4.2)
    if level == 5:
        img.fill(lens, vgrad(2, 11, grey(150), grey(205)))
    else:
        glow = [1.0, 0.78, 0.58, 0.4, 0.22][level]
        dim = darker(LED, 0.72)
        img.fill(lens, vgrad(2, 11, lighter(darker(LED, 0.2 * (1 - glow)), 0.5 * glow),
                                 tuple(d + (l - d) * glow for d, l in zip(dim, LED))))
        img.fill(Circle(6.5, 6.5, 2.0), lighter(LED, 0.85), glow)
    img.fill(lens - Grow(lens, -0.8), darker(grey(120), 0.3), 0.8)
    img.fill(Circle(5.2, 4.6, 1.2), WHITE, 0.75)
    return img


def transmission_lights():
    return hstrip([_light(k, p) for p in (False, True) for k in range(6)])


# -- port badges: designation look 0..3, then the same pressed ---------------

def _port_badge(kind, pressed):
    bg = PRESSED if pressed else PANEL
    img = Image(39, 15, bg)
    dark = kind == 3
    left = RoundRect(0.5, 0.5, 14.5, 14.5, 7 if kind in (1, 3) else 2.5)
    face = vgrad(0, 15, grey(92), grey(48)) if dark else vgrad(0, 15, WHITE, grey(226))
    if kind == 1:
        face = vgrad(0, 15, (236, 244, 255), (204, 222, 246))
    img.fill(left, face)
    img.fill(left - Grow(left, -1), OUTLINE if not dark else grey(25))
    if kind == 2:
        img.fill(Grow(left, -2) - Grow(left, -2.8), ACCENT, 0.7)
    # the link from port to hub
    img.fill(Segment(15.5, 7.5, 23, 7.5, 0.9), grey(95))
    img.fill(Circle(19.3, 7.5, 1.6), grey(95))
    right = RoundRect(23.5, 0.5, 38.5, 14.5, 2.5)
    img.fill(right, vgrad(0, 15, grey(246), grey(214)))
    img.fill(right - Grow(right, -1), FRAME)
    return img


def port_badges():
    return hstrip([_port_badge(k, p) for p in (False, True) for k in range(4)])


# -- hub plates: external, root hub of an adapter, self-powered, dark -------

def _hub_plate(kind):
    img = Image(24, 24)
    body = RoundRect(0.5, 0.5, 23.5, 22.5, 3.5)
    if kind == 3:
        img.shadow(body, 0, 1, 1, 0.35)
        img.fill(body, vgrad(0, 23, grey(96), grey(40)))
        img.fill(Grow(body, -1) - Moved(Grow(body, -1), 0, 1), grey(150), 0.8)
        img.fill(body - Grow(body, -1), grey(20))
        return img
    plate(img, body, 0, 23, rim=FRAME)
    if kind == 1:       # root hub: the adapter's blue edge along the bottom
        img.fill(RoundRect(2, 19.5, 22, 21.5, 1), ACCENT)
    if kind == 2:       # self-powered: a small bolt in the corner
        img.fill(Polygon([(20.6, 13.5), (18.2, 17.6), (19.9, 17.6), (19.0, 21.2), (21.8, 16.6),
                          (20.1, 16.6), (21.2, 13.5)]), (225, 150, 20))
    return img


def hub_plates():
    return hstrip([_hub_plate(k) for k in range(4)])
