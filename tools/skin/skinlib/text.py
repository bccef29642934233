"""Text: a tiny built-in pixel font for crisp small caps, and Liberation fonts through
ImageMagick for larger type. Both are required (the set-up script installs them), so every
machine draws the same art."""
import os
import subprocess

from .canvas import R

CONVERT = "/usr/bin/convert"
FONTS = "/usr/share/fonts/truetype/liberation/"

# 4 x 5 caps and digits, rows top to bottom, '#' = ink.
_GLYPHS = {
    "A": ".##.|#..#|####|#..#|#..#", "B": "###.|#..#|###.|#..#|###.", "C": ".###|#...|#...|#...|.###",
    "D": "###.|#..#|#..#|#..#|###.", "E": "####|#...|###.|#...|####", "F": "####|#...|###.|#...|#...",
    "G": ".###|#...|#.##|#..#|.###", "H": "#..#|#..#|####|#..#|#..#", "I": "###|.#.|.#.|.#.|###",
    "J": "..##|...#|...#|#..#|.##.", "K": "#..#|#.#.|##..|#.#.|#..#", "L": "#...|#...|#...|#...|####",
    "M": "#...#|##.##|#.#.#|#...#|#...#", "N": "#..#|##.#|#.##|#..#|#..#", "O": ".##.|#..#|#..#|#..#|.##.",
    "P": "###.|#..#|###.|#...|#...", "Q": ".##.|#..#|#..#|#.#.|.#.#", "R": "###.|#..#|###.|#.#.|#..#",
    "S": ".###|#...|.##.|...#|###.", "T": "###|.#.|.#.|.#.|.#.", "U": "#..#|#..#|#..#|#..#|.##.",
    "V": "#..#|#..#|#..#|.##.|.##.", "W": "#...#|#...#|#.#.#|##.##|#...#", "X": "#..#|.##.|.##.|.##.|#..#",
    "Y": "#.#|#.#|.#.|.#.|.#.", "Z": "####|...#|.##.|#...|####",
    "0": ".##.|#..#|#..#|#..#|.##.", "1": ".#|##|.#|.#|.#", "2": "###.|...#|.##.|#...|####",
    "3": "###.|...#|.##.|...#|###.", "4": "#..#|#..#|####|...#|...#", "5": "####|#...|###.|...#|###.",
    "6": ".##.|#...|###.|#..#|.##.", "7": "####|...#|..#.|.#..|.#..", "8": ".##.|#..#|.##.|#..#|.##.",
    "9": ".##.|#..#|.###|...#|.##.", ".": ".|.|.|.|#", "-": "...|...|###|...|...", " ": "..|..|..|..|..",
    "/": "..#|..#|.#.|#..|#..", ":": ".|#|.|#|.", "(": ".#|#.|#.|#.|.#", ")": "#.|.#|.#|.#|#.",
    "+": "...|.#.|###|.#.|...", "_": "...|...|...|...|###", ",": ".|.|.|#|#",
}


def pixel_text_width(s, scale=1):
    return sum((len(_GLYPHS.get(ch.upper(), _GLYPHS[" "]).split("|")[0]) + 1) * scale for ch in s) - scale


def pixel_text(img, x, y, s, colour, scale=1, a=1.0):
    """Draw s in the pixel font with its top-left at (x, y); returns the width drawn."""
    cx = x
    for ch in s:
        rows = _GLYPHS.get(ch.upper(), _GLYPHS[" "]).split("|")
        for ry, row in enumerate(rows):
            for rx, bit in enumerate(row):
                if bit == "#":
                    img.square(cx + rx * scale, y + ry * scale, scale, colour, a)
        cx += (len(rows[0]) + 1) * scale
    return cx - x - scale


def coverage(s, points, face="LiberationSans-Bold.ttf"):
    """Anti-aliased coverage of a text: (w, h, list of 0..1)."""
    for need in (CONVERT, FONTS + face):
        if not os.path.exists(need):
            raise SystemExit(f"skin: {need} is missing; run tools/setup.sh (imagemagick, fonts-liberation)")
    try:
        out = subprocess.run(
            [CONVERT, "-background", "black", "-fill", "white", "-font", FONTS + face,
             "-pointsize", str(points), "label:" + s, "-format", "%w %h\n", "-write", "info:-",
             "-depth", "8", "gray:-"], capture_output=True, check=True, timeout=30).stdout
    except (OSError, subprocess.SubprocessError) as error:
        raise SystemExit(f"skin: ImageMagick could not draw {s!r}: {error}")
    head, _, raw = out.partition(b"\n")
    w, h = (int(v) for v in head.split())
    return w, h, [b / 255.0 for b in raw[:w * h]]


def text(img, x, y, s, points, colour, face="LiberationSans-Bold.ttf", a=1.0, centre=False):
    """Draw s at the picture's scale with its box's top-left at 1x (x, y) (or centred on x);
    returns the width in pixels."""
    w, h, vals = coverage(s, points if img.s == 1 else "%g" % (points * img.s), face)
    left = R(x * img.s) - (w // 2 if centre else 0)
    top = R(y * img.s)
    for yy in range(h):
        for xx in range(w):
            v = vals[yy * w + xx]
            if v > 0:
                img.blend(left + xx, top + yy, colour, v * a)
    return w
