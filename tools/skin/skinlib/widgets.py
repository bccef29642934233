"""Shared looks: metal plates, buttons, strips of frames."""
from .canvas import Image, vgrad, mix
from .palette import FRAME, OUTLINE, WHITE, grey
from .shapes import RoundRect, Grow


def hstrip(frames):
    """Frames side by side, left to right, as one picture (each keeps its own width in pixels)."""
    w = sum(f.w for f in frames)
    out = Image.sized(w, max(f.h for f in frames), frames[0].s)
    x = 0
    for f in frames:
        out.draw_px(f, x, 0)
        x += f.w
    return out


def plate(img, shape, top, bottom, pressed=False, rim=OUTLINE, shadow=True):
    """A raised (or pressed-in) metal plate: soft shadow, body gradient, 1-px rim and
    highlight. top/bottom are the body's y range for the gradient."""
    if shadow and not pressed:
        img.shadow(shape, 0, 1, 1, 0.28)
    hi, lo = (grey(250), grey(212)) if not pressed else (grey(178), grey(206))
    img.fill(shape, vgrad(top, bottom, hi, lo))
    inner = Grow(shape, -1)
    if pressed:
        # inner shadow along the top edge reads as pushed in
        img.fill(inner - _moved(inner, 0, 2), grey(120), 0.35)
    else:
        img.fill(inner - _moved(inner, 0, 1), WHITE, 0.85)
    img.fill(shape - inner, rim)


def _moved(shape, dx, dy):
    from .shapes import Moved
    return Moved(shape, dx, dy)


def push_button(w, h, pressed, radius=4):
    img = Image(w, h)
    body = RoundRect(0.5, 0.5, w - 0.5, h - 1.5, radius)
    plate(img, body, 0, h - 1, pressed, rim=FRAME if not pressed else OUTLINE)
    return img


def glyph_colour(pressed):
    return grey(40) if not pressed else grey(10)


def soften(c, t):
    return mix(c, WHITE, t)
