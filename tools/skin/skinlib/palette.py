"""The skin's colours: the greys the program paints with, and one colour per severity."""
import random

from .canvas import mix


def grey(v):
    return (v, v, v)


PANEL = grey(224)      # light background of dialogs, frames and tiles
PANE = grey(200)       # a dialog pane
PRESSED = grey(165)    # pressed and framed elements
FRAME = grey(112)      # framed element edges
OUTLINE = grey(70)     # dark outlines
WHITE = grey(255)
BLACK = grey(0)
INK = (38, 42, 48)     # text and pictogram strokes
ACCENT = (30, 110, 200)  # the program's blue

# Severity 0..4: O.K., optimization needed, unrecognized, harmless, serious.
SEVERITY = [(40, 150, 70), (35, 105, 205), (128, 72, 190), (232, 158, 20), (205, 40, 40)]


def lighter(c, t):
    return mix(c, WHITE, t)


def darker(c, t):
    return mix(c, BLACK, t)


def streaks(n, seed, amount=1.0):
    """Periodic 1-D brushed-metal grain of length n, values about -1..1."""
    rnd = random.Random(seed)
    raw = [rnd.uniform(-1, 1) for _ in range(n)]
    out = []
    for i in range(n):
        s = raw[i] * 0.5 + raw[(i - 1) % n] * 0.25 + raw[(i + 1) % n] * 0.25
        out.append(s * amount)
    return out


def brushed(base, grain, along_x=True, depth=6.0):
    """A shader: base grey with grain varying across the brushing direction."""
    n = len(grain)

    def shade(x, y):
        g = grain[(y if along_x else x) % n] * depth
        return (base[0] + g, base[1] + g, base[2] + g)
    return shade
