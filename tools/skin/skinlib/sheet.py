"""The contact sheet: every picture scaled up and labelled with id and frame; icons,
cursors and markers also on a dark ground. Written straight into an RGB raster."""
from .formats import png
from .text import pixel_text, pixel_text_width
from . import preview

LIGHT, DARK, PAGE, INKC = (236, 236, 236), (48, 50, 54), (170, 172, 176), (20, 20, 20)
WIDTH = 1800


class Raster:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.buf = bytearray(bytes(colour) * (w * h))

    def rect(self, x0, y0, x1, y1, colour, a=1.0):
        x0, x1 = max(0, int(x0)), min(self.w, int(x1))
        if x1 <= x0:
            return
        c = bytes(int(round(v)) for v in colour) * (x1 - x0)
        for y in range(max(0, int(y0)), min(self.h, int(y1))):
            self.buf[(y * self.w + x0) * 3:(y * self.w + x1) * 3] = c

    def picture(self, img, x, y, scale, ground):
        rgba = img.rgba8()
        for py in range(img.h):
            for px in range(img.w):
                i = (py * img.w + px) * 4
                a = rgba[i + 3] / 255.0
                c = [rgba[i + k] * a + ground[k] * (1 - a) for k in range(3)]
                self.rect(x + px * scale, y + py * scale, x + (px + 1) * scale, y + (py + 1) * scale, c)


def _scale(w, h):
    m = max(w, h)
    return 6 if m <= 26 else 4 if m <= 60 else 3 if m <= 120 else 2 if m <= 520 else 1


def _cells(entries):
    """(label, picture, dark twin wanted) for every frame of every picture."""
    for e in entries:
        if not e.preview:
            continue
        for n, img in enumerate(e.preview):
            if e.frames > 1:
                fw = img.w // e.frames
                for f in range(e.frames):
                    yield "%d %s:%d" % (e.rid, e.rtype, f), img.crop(f * fw, 0, fw, img.h), e.dark
            else:
                size = " %dx%d" % (img.w, img.h) if len(e.preview) > 1 else ""
                yield "%d %s%s" % (e.rid, e.rtype, size), img, e.dark
    for label, img in preview.compositions():
        yield label, img, False


def contact_sheet(entries):
    cells = list(_cells(entries))
    placed, x, y, row_h = [], 10, 10, 0
    for label, img, dark in cells:
        s = _scale(img.w, img.h)
        w = max(img.w * s * (2 if dark else 1) + (8 if dark else 0), pixel_text_width(label, 2)) + 16
        h = img.h * s + 34
        if x + w > WIDTH - 10:
            x, y, row_h = 10, y + row_h + 10, 0
        placed.append((x, y, s, label, img, dark))
        x += w + 10
        row_h = max(row_h, h)
    sheet = Raster(WIDTH, y + row_h + 10, PAGE)
    for x, y, s, label, img, dark in placed:
        iw = img.w * s
        sheet.rect(x, y, x + max(iw * (2 if dark else 1) + (8 if dark else 0), pixel_text_width(label, 2)) + 16,
                   y + img.h * s + 34, LIGHT)
        pixel_text(sheet, x + 8, y + 6, label, INKC, 2)
        sheet.picture(img, x + 8, y + 24, s, LIGHT)
        if dark:
            sheet.rect(x + 12 + iw, y + 20, x + 20 + 2 * iw, y + 28 + img.h * s, DARK)
            sheet.picture(img, x + 16 + iw, y + 24, s, DARK)
    return png(sheet.w, sheet.h, sheet.buf)
