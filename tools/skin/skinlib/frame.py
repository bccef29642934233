"""The resizable frame window: twelve pieces cut from one painted window, the four
corner shapes, and the title badge.

The bars are brushed along their length and the edges along theirs, so every piece
that repeats is the same from one end to the other and joins its neighbours exactly."""
from . import ids
from .canvas import Image, R, cell, current_scale, mix
from .chrome import paint_outlined, inside_mask
from .formats import bands
from .palette import ACCENT, FRAME, WHITE, grey, streaks
from .shapes import Circle, Grow, RoundRect
from .text import pixel_text, pixel_text_width, text

W, H = 600, 480          # a window just large enough that no two pieces overlap
RADIUS = 38.0
TOP, SIDE, BOTTOM = 30, 24, 30
ROW_GRAIN, COL_GRAIN = streaks(H, 11), streaks(W, 12)

# id: (x, y, width, height) in the painted window
PIECES = {
    ids.IDB_FRAME_TOP_LEFT: (0, 0, 500, 50), ids.IDB_FRAME_TOP_EDGE: (500, 0, 40, 30),
    ids.IDB_FRAME_TOP_RIGHT: (W - 60, 0, 60, 50),
    ids.IDB_FRAME_LEFT_UPPER: (0, 50, 24, 340), ids.IDB_FRAME_LEFT_EDGE: (0, 390, 24, 40),
    ids.IDB_FRAME_RIGHT_EDGE: (W - 24, 50, 24, 40), ids.IDB_FRAME_RIGHT_LOWER: (W - 24, H - 390, 24, 340),
    ids.IDB_FRAME_BOTTOM_LEFT: (0, H - 50, 60, 50), ids.IDB_FRAME_BOTTOM_EDGE: (60, H - 30, 40, 30),
    ids.IDB_FRAME_BOTTOM_RIGHT: (W - 500, H - 50, 500, 50),
}
CORNERS = {ids.IDR_FRAME_TOP_LEFT: (0, 0), ids.IDR_FRAME_TOP_RIGHT: (W - 45, 0),
           ids.IDR_FRAME_BOTTOM_LEFT: (0, H - 44), ids.IDR_FRAME_BOTTOM_RIGHT: (W - 45, H - 44)}

OUTER = RoundRect(0, 0, W, H, RADIUS)
INNER = RoundRect(SIDE, TOP, W - SIDE, H - BOTTOM, 5)


def _body(x, y, depth):
    di = INNER.d(x + 0.5, y + 0.5)
    if di < 0:
        return None                      # the window's content shows here
    if y < TOP:
        c = grey(242 - 36 * y / TOP + ROW_GRAIN[cell(y)] * 5)
    elif y >= H - BOTTOM:
        c = grey(228 - 30 * (y - (H - BOTTOM)) / BOTTOM + ROW_GRAIN[cell(y)] * 5)
    else:
        t = min(x, W - 1 - x) / SIDE
        c = grey(224 - 14 * t + COL_GRAIN[cell(x)] * 5)
    if di < 1.0:
        return FRAME                     # crisp groove around the content
    if di < 2.0:
        return mix(c, grey(150), 0.5)
    if di < 3.0:
        return mix(c, WHITE, 0.25)
    return c


def _grip(img):
    # three diagonal ridges, each a dark line with a light one to its right
    def ridge(x, y):
        for k in range(3):
            t = x + y - (W + H - 26 - 5 * k)
            if 0 <= t < 2:
                dark_x = x if t < 1 else x - 1
                if W - 30 <= dark_x < W - 8 and H - 30 <= y < H - 8 and OUTER.d(dark_x + 4.5, y + 4.5) < 0:
                    return grey(125) if t < 1 else WHITE
        return None
    img.paint(ridge, (W - 30, H - 30, W - 7, H - 8))


def _title(img):
    mark = Circle(28, 15, 7)
    img.shadow(mark, 0, 1, 1, 0.3)
    img.fill(mark, lambda x, y: mix((90, 160, 235), ACCENT, (y - 8) / 14))
    img.fill(mark - Grow(mark, -1), grey(60))
    img.fill(Circle(28, 15, 2.6), WHITE)
    img.fill(Circle(28, 15, 1.2), ACCENT)
    text(img, 41, 6, "Quorvane", 13, WHITE, a=0.9)
    text(img, 40, 5, "Quorvane", 13, grey(55))


def painted():
    img = paint_outlined(W, H, OUTER, _body, hole=INNER)
    _title(img)
    _grip(img)
    return img


def images():
    whole = painted()
    out = {rid: _cut(whole, *box) for rid, box in PIECES.items()}
    out[ids.IDB_TITLE_BADGE_ACTIVE], out[ids.IDB_TITLE_BADGE_INACTIVE] = title_badge(True), title_badge(False)
    return out


def _cut(whole, x, y, w, h):
    # a piece at the right or bottom edge is cut flush with it, where the window puts it
    s = whole.s
    left = whole.w - R(w * s) if x + w == W else R(x * s)
    top = whole.h - R(h * s) if y + h == H else R(y * s)
    return whole.crop_px(left, top, R(w * s), R(h * s))


def regions():
    s = current_scale()
    w, h, cw, ch = R(W * s), R(H * s), R(45 * s), R(44 * s)
    inside = inside_mask(OUTER, w, h, s)
    out = {}
    for rid, (ox, oy) in CORNERS.items():
        dx, dy = w - cw if ox else 0, h - ch if oy else 0
        out[rid] = bands(lambda x, y: inside(x + dx, y + dy), cw, ch)
    return out


def title_badge(active):
    img = Image(72, 10)
    plate = RoundRect(0.5, 0.5, 71.5, 9.5, 4.5)
    img.fill(plate, grey(196) if active else grey(210))
    img.fill(plate - Grow(plate, -1), grey(130) if active else grey(165))
    img.hline(5, 67, 9, WHITE, 0.7)
    lamp = Circle(7, 5, 2)
    img.fill(lamp, (80, 200, 110) if active else grey(170))
    img.fill(Circle(6.5, 4.5, 0.7), WHITE, 0.8 if active else 0.4)
    label = "QUORVANE"
    x = 13 + (56 - pixel_text_width(label)) // 2
    pixel_text(img, x, 3, label, WHITE, a=0.6)
    pixel_text(img, x, 2, label, grey(45) if active else grey(145))
    return img
