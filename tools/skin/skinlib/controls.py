"""Buttons, check box, scroll and slider parts, folder and show-more markers."""
from .canvas import Image, vgrad
from .palette import ACCENT, FRAME, INK, OUTLINE, PANEL, PRESSED, WHITE, grey, lighter, darker
from .shapes import Circle, Polygon, RoundRect, Segment, Grow
from .widgets import glyph_colour, hstrip, plate, push_button


def wide_buttons():
    return hstrip([push_button(115, 21, p) for p in (False, True)])


def narrow_buttons():
    return hstrip([push_button(57, 21, p) for p in (False, True)])


def _caption(kind, pressed):
    img = Image(16, 10)
    plate(img, RoundRect(0.5, 0.5, 15.5, 9.5, 3), 0, 10, pressed, shadow=False)
    ink = glyph_colour(pressed)
    if kind == "max":
        img.fill(RoundRect(5, 2.5, 11, 7.5) - RoundRect(6, 4, 10, 6.5), ink)
    elif kind == "restore":
        img.fill(RoundRect(6.5, 2, 11.5, 5.5) - RoundRect(7.5, 3.2, 10.5, 4.5), ink, 0.75)
        img.fill(RoundRect(4.5, 4, 9.5, 8) - RoundRect(5.5, 5.2, 8.5, 7), ink)
    else:
        red = (190, 45, 40) if not pressed else (150, 30, 25)
        img.fill(Segment(5.6, 2.8, 10.4, 7.2, 0.85) | Segment(10.4, 2.8, 5.6, 7.2, 0.85), red)
    return img


def caption_buttons():
    """Maximize, restore and close, each followed by its pressed look."""
    return hstrip([_caption(k, p) for k in ("max", "restore", "close") for p in (False, True)])


def _chevron(img, cx, cy, up, colour, half=2.6, w=0.8):
    dy = -1.2 if up else 1.2
    img.fill(Segment(cx - half, cy - dy, cx, cy + dy, w) | Segment(cx, cy + dy, cx + half, cy - dy, w), colour)


def _scroll(up, pressed):
    img = Image(15, 8)
    plate(img, RoundRect(0.5, 0.5, 14.5, 7.5, 3), 0, 8, pressed, shadow=False)
    _chevron(img, 7.5, 4.0, up, glyph_colour(pressed), 2.8, 0.75)
    return img


def scroll_buttons():
    """Scroll down (and pressed), then scroll up (and pressed)."""
    return hstrip([_scroll(up, p) for up in (False, True) for p in (False, True)])


def _check(checked, pressed):
    img = Image(19, 15)
    box = RoundRect(2.5, 1.5, 15.5, 14.5, 2.5)
    img.shadow(box, 0, 1, 1, 0.2)
    img.fill(box, vgrad(1, 14, grey(236) if not pressed else grey(190), WHITE if not pressed else grey(214)))
    img.fill(box - Grow(box, -1), FRAME if not pressed else OUTLINE)
    img.fill(Grow(box, -1) - RoundRect(3.5, 3.5, 14.5, 13.5, 2), grey(150), 0.35)  # inset
    if checked:
        img.fill(Segment(5.3, 8.2, 7.8, 10.8, 1.15) | Segment(7.8, 10.8, 12.8, 4.6, 1.15),
                 ACCENT if not pressed else darker(ACCENT, 0.3))
    return img


def check_box():
    """Checked, checked pressed, unchecked, unchecked pressed."""
    return hstrip([_check(c, p) for c in (True, False) for p in (False, True)])


def _more(expanded):
    img = Image(24, 8)
    tab = RoundRect(4.5, 0.5, 19.5, 7.5, 3)
    plate(img, tab, 0, 8, False, rim=FRAME, shadow=False)
    _chevron(img, 12, 3.9, expanded, INK, 3.0, 0.8)
    return img


def show_more_less():
    """Collapsed (show more), expanded (show less)."""
    return hstrip([_more(False), _more(True)])


def _folder(selected):
    img = Image(16, 16)
    base = (232, 178, 60) if selected else (196, 168, 110)
    back = Polygon([(1.5, 3.5), (6, 3.5), (7.5, 5), (14.5, 5), (14.5, 13.5), (1.5, 13.5)])
    img.shadow(back, 0, 1, 1, 0.25)
    img.fill(back, darker(base, 0.25))
    if selected:
        front = Polygon([(3.5, 7), (15.5, 7), (13.5, 13.5), (1.5, 13.5)])
    else:
        front = RoundRect(1.5, 6.5, 14.5, 13.5, 0.5)
    img.fill(front, vgrad(6, 14, lighter(base, 0.35), base))
    img.fill(Grow(front, 0.5) - Grow(front, -0.5), darker(base, 0.45))
    img.fill(Grow(back, 0.5) - Grow(back, -0.5), darker(base, 0.5), 0.8)
    return img


def folders():
    """Open folder for the selected row, closed folder otherwise."""
    return hstrip([_folder(True), _folder(False)])


# -- opaque bitmaps of the scroll bar and the alert slider ----------------

def _arrow_button(up, pressed):
    img = Image(15, 55, PRESSED)
    body = RoundRect(0.5, 0.5, 14.5, 54.5, 4)
    plate(img, body, 0, 55, pressed, shadow=False)
    for k in range(3):  # grip ridges across the cap
        y = 38 + 3 * k if up else 15 + 3 * k
        img.hline(4, 11, y, WHITE, 0.9)
        img.hline(4, 11, y + 1, grey(140), 0.7)
    _chevron(img, 7.5, 16 if up else 39, up, glyph_colour(pressed), 3.5, 1.0)
    return img


def scroll_arrows():
    """Up, up pressed, down, down pressed: opaque, 15 x 55 each."""
    return hstrip([_arrow_button(up, p) for up in (True, False) for p in (False, True)])


def _thumb(held):
    img = Image(15, 15, PRESSED)
    body = RoundRect(0.5, 0.5, 14.5, 14.5, 4)
    plate(img, body, 0, 15, held, shadow=False)
    img.fill(Circle(7.5, 7.5, 2.4), ACCENT if held else grey(120))
    img.fill(Circle(7.0, 7.0, 0.9), WHITE, 0.6)
    return img


def scroll_thumb():
    return hstrip([_thumb(False), _thumb(True)])


def slider_track():
    img = Image(139, 16, PANEL)
    groove = RoundRect(2.5, 6.5, 136.5, 10.5, 2)
    img.fill(groove, grey(150))
    img.fill(groove - RoundRect(2.5, 7.5, 136.5, 10.5, 2), grey(95))
    img.hline(4, 136, 11, WHITE, 0.9)
    for cx in (4, 69, 134):
        img.fill(Circle(cx + 0.5, 8.5, 2.5), grey(110))
        img.fill(Circle(cx + 0.5, 8.5, 1.2), grey(235))
    return img


def _knob(pressed):
    img = Image(9, 12, PANEL)
    knob = Polygon([(0.5, 1.5), (1.5, 0.5), (7.5, 0.5), (8.5, 1.5), (8.5, 7.5), (4.5, 11.5), (0.5, 7.5)])
    fill = vgrad(0, 12, grey(252), grey(196)) if not pressed else vgrad(0, 12, lighter(ACCENT, 0.55), ACCENT)
    img.fill(knob, fill)
    img.fill(knob - Grow(knob, -1), OUTLINE)
    img.hline(2, 7, 3, WHITE if not pressed else lighter(ACCENT, 0.8), 0.8)
    return img


def slider_knob():
    return hstrip([_knob(False), _knob(True)])
