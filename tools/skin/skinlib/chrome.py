"""Per-pixel painting shared by the shaped windows: a hard outline (the window region
cuts it exactly) with a bevelled metal rim inside it."""
from .canvas import Image, mix
from .palette import WHITE, grey


def paint_outlined(w, h, outer, body, rim=grey(70)):
    """Opaque where the outer shape holds the pixel centre, transparent elsewhere.
    body(x, y, depth) gives the colour at depth pixels inside the outline, or None
    for a transparent pixel."""
    img = Image(w, h)
    for y in range(h):
        for x in range(w):
            d = -outer.d(x + 0.5, y + 0.5)
            if d <= 0:
                continue
            c = body(x, y, d)
            if c is None:
                continue
            if isinstance(c, tuple) and len(c) == 2 and isinstance(c[0], tuple):
                c, a = c
            else:
                a = 1.0
            # 1-px dark rim, then a light bevel fading inwards
            if d < 1.0:
                c = rim
                a = 1.0
            elif d < 2.5:
                c = mix(c, WHITE, 0.55 * (2.5 - d) / 1.5)
            img.set(x, y, c, a)
    return img


def inside_mask(outer, w, h):
    return lambda x, y: 0 <= x < w and 0 <= y < h and outer.d(x + 0.5, y + 0.5) < 0
