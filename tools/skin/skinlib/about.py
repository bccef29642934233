"""The about box picture and the background texture of the dialogs."""
import random

from .appicons import _logo
from .canvas import Image, R, cell, mix
from .palette import ACCENT, OUTLINE, WHITE, grey, streaks
from .shapes import RoundRect
from .text import text


def background_texture():
    """64 x 64 brushed metal that repeats without seams: grain per row, and a
    horizontal shimmer that wraps around the tile's width."""
    img = Image(64, 64)
    n = img.w  # the grain is as fine as the pixels at every scale
    rows = streaks(n, 21)
    rnd = random.Random(22)
    fine = [[rnd.uniform(-1, 1) for _ in range(n)] for _ in range(n)]
    for y in range(n):
        for x in range(n):
            along = (fine[y][x] + fine[y][(x - 1) % n] + fine[y][(x + 1) % n] + fine[y][(x + 2) % n]) / 4
            img.put(x, y, grey(round(213 + rows[y] * 5 + along * 2.5)))
    return img


def about_picture(version):
    w, h = 490, 310
    img = Image(w, h)
    grain = streaks(h, 31)
    img.rect(0, 0, w, 268, lambda x, y: grey(226 - 20 * y / h + grain[cell(y)] * 4 + 8 * (1 - x / w)))
    # a band for the buttons
    img.rect(0, 268, w, h, lambda x, y: grey(204 + grain[cell(y)] * 3))
    img.hline(0, w, 268, grey(150))
    img.hline(0, w, 269, WHITE, 0.8)
    # the accent sweep behind the mark
    img.rect(0, 0, w, 6, lambda x, y: mix(ACCENT, (90, 170, 240), x / w))
    logo = _logo(R(112 * img.s))
    img.draw(logo, 34, 60)
    text(img, 172, 62, "Quorvane", 44, WHITE, a=0.8)
    text(img, 170, 60, "Quorvane", 44, grey(40))
    text(img, 173, 122, "USB 2.0 Monitor", 17, ACCENT)
    text(img, 173, 152, "Version " + version, 12, grey(60), face="LiberationSans-Regular.ttf")
    text(img, 173, 172, "Watches your USB 2.0 adapters, hubs and devices", 11, grey(80),
         face="LiberationSans-Regular.ttf")
    text(img, 173, 188, "and tells you when one of them needs attention.", 11, grey(80),
         face="LiberationSans-Regular.ttf")
    text(img, 20, 284, "\u00a9 Tarvex. All rights reserved.", 10, grey(70), face="LiberationSans-Regular.ttf")
    # the dialog has no drawn face of its own: rim and bevel are part of the picture
    img.fill(RoundRect(0, 0, w, h, 0) - RoundRect(1, 1, w - 1, h - 1, 0), OUTLINE)
    img.hline(1, w - 1, 1, WHITE, 0.7)
    img.vline(1, 1, h - 1, WHITE, 0.7)
    img.hline(1, w - 1, h - 2, grey(120), 0.6)
    img.vline(w - 2, 1, h - 1, grey(120), 0.6)
    return img
