"""Per-pixel painting shared by the shaped windows: a hard outline (the window region
cuts it exactly) with a bevelled metal rim inside it."""
from .canvas import Image, R, mix, run_beyond
from .palette import WHITE, grey


def _inside(outer, s):
    # the one test of the outline, shared by the art and its window region
    return lambda x, y: outer.d((x + 0.5) / s, (y + 0.5) / s)


def paint_outlined(w, h, outer, body, rim=grey(70), hole=None):
    """Opaque where the outer shape holds the pixel centre, transparent elsewhere.
    body(x, y, depth) gives the colour at depth 1x pixels inside the outline, or None
    for a transparent pixel; so does a shape hole, without asking body."""
    img = Image(w, h)
    s, depth = img.s, _inside(outer, img.s)
    rim_width = R(s)
    for y in range(img.h):
        v = img._at(y)
        x = -1
        while x + 1 < img.w:
            x += 1
            d = -depth(x, y)
            if d <= 0:
                x += run_beyond(outer, -d * s)
                continue
            if hole is not None:
                inside_hole = hole.d((x + 0.5) / s, (y + 0.5) / s) * s
                if inside_hole < 0:
                    x += run_beyond(hole, -inside_hole)
                    continue
            c = body(img._at(x), v, d)
            if c is None:
                continue
            if isinstance(c, tuple) and len(c) == 2 and isinstance(c[0], tuple):
                c, a = c
            else:
                a = 1.0
            # a dark rim of R(s) pixels, then a light bevel fading inwards
            if d * s < rim_width:
                c = rim
                a = 1.0
            elif d < 2.5:
                c = mix(c, WHITE, 0.55 * (2.5 - d) / 1.5)
            img.put(x, y, c, a)
    return img


def inside_mask(outer, w, h, s=1.0):
    """Whether pixel (x, y) of a w x h picture drawn at scale s is inside the outline."""
    depth = _inside(outer, s)
    return lambda x, y: 0 <= x < w and 0 <= y < h and depth(x, y) < 0
