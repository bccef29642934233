"""The contact sheet: a section per scale, every picture in it enlarged and labelled with id
and frame; icons, cursors and markers also on a dark ground; then the assembled windows
of that scale. Written straight into an RGB raster."""
from .canvas import R
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

    def square(self, x, y, size, colour, a=1.0):
        self.rect(x, y, x + size, y + size, colour, a)

    def picture(self, cell, x, y, scale, ground):
        """A cell's w x h rgba bytes over ground, each pixel scale x scale, top-left at (x, y)."""
        w, h, rgba = cell
        ground_px = bytes(ground)
        for py in range(h):
            src = rgba[py * w * 4:(py + 1) * w * 4]
            rgb = bytearray(w * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = src[0::4], src[1::4], src[2::4]
            alpha = src[3::4]
            if alpha != b"\xff" * w:
                for px, a in enumerate(alpha):
                    if a == 0:
                        rgb[px * 3:px * 3 + 3] = ground_px
                    elif a != 255:
                        rgb[px * 3:px * 3 + 3] = bytes((src[px * 4 + k] * a + ground[k] * (255 - a) + 127) // 255
                                                       for k in range(3))
            row = bytearray(w * 3 * scale)
            for k in range(scale * 3):
                row[k::3 * scale] = rgb[k % 3::3]
            row = row[:max(0, (self.w - x) * 3)]
            for r in range(scale):
                ty = y + py * scale + r
                if 0 <= ty < self.h:
                    self.buf[(ty * self.w + x) * 3:(ty * self.w + x) * 3 + len(row)] = row


def _magnify(w, h):
    m = max(w, h)
    return 6 if m <= 26 else 4 if m <= 60 else 3 if m <= 120 else 2 if m <= 520 else 1


def _crop(img, rgba, x0, w):
    rows = [rgba[(y * img.w + x0) * 4:(y * img.w + x0 + w) * 4] for y in range(img.h)]
    return w, img.h, b"".join(rows)


def _cells(entries, s):
    """(label, (w, h, rgba), dark twin wanted) for every frame of every picture of scale s,
    then the assembled windows."""
    pictures, regions = {}, {}
    for e in entries:
        if e.scale != s:
            continue
        if e.rects is not None:
            regions[e.rid] = e.rects
        if not e.preview:
            continue
        if e.rtype.startswith(("TGA", "BITMAP")):
            pictures[e.rid] = e.preview[0]
        for img in e.preview:
            rgba = bytes(e.rgba if e.rgba is not None else img.rgba8())
            if e.frames > 1:
                fw = img.w // e.frames
                for f in range(e.frames):
                    yield "%d %s:%d" % (e.rid, e.rtype, f), _crop(img, rgba, f * fw, fw), e.dark
            else:
                size = " %dx%d" % (img.w, img.h) if len(e.preview) > 1 else ""
                yield "%d %s%s" % (e.rid, e.rtype, size), (img.w, img.h, rgba), e.dark
    for label, img in preview.compositions(pictures, regions, s):
        yield label, (img.w, img.h, bytes(img.rgba8())), False


def _cell_width(cell, mag, label, dark):
    iw = cell[0] * mag
    return max(iw * (2 if dark else 1) + (8 if dark else 0), pixel_text_width(label, 2)) + 16


def contact_sheet(entries):
    placed, y = [], 10
    for s in sorted({e.scale for e in entries}):
        heading = "AT %gX (%d DPI)" % (s, R(s * 96))
        placed.append((10, y, 0, heading, None, False))
        x, y, row_h = 10, y + 34, 0
        for label, cell, dark in _cells(entries, s):
            mag = _magnify(cell[0], cell[1])
            w, h = _cell_width(cell, mag, label, dark), cell[1] * mag + 34
            if x + w > WIDTH - 10:
                x, y, row_h = 10, y + row_h + 10, 0
            placed.append((x, y, mag, label, cell, dark))
            x += w + 10
            row_h = max(row_h, h)
        y += row_h + 30
    sheet = Raster(WIDTH, y, PAGE)
    for x, y, mag, label, cell, dark in placed:
        if cell is None:
            pixel_text(sheet, x, y, label, INKC, 4)
            continue
        iw = cell[0] * mag
        sheet.rect(x, y, x + _cell_width(cell, mag, label, dark), y + cell[1] * mag + 34, LIGHT)
        pixel_text(sheet, x + 8, y + 6, label, INKC, 2)
        sheet.picture(cell, x + 8, y + 24, mag, LIGHT)
        if dark:
            sheet.rect(x + 12 + iw, y + 20, x + 20 + 2 * iw, y + 28 + cell[1] * mag, DARK)
            sheet.picture(cell, x + 16 + iw, y + 24, mag, DARK)
    return png(sheet.w, sheet.h, sheet.buf)
