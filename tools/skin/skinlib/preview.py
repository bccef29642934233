"""Assembled views for review: the monitoring window and the frame window built from
their pieces the way the program draws them, so joins can be checked by eye."""
from . import frame, ids, monitor, pictograms, tiles, markers
from .canvas import Image

def _tile_run(img, start, end, piece, horizontal, fixed):
    pos = start
    while pos < end:
        span = min(piece.w if horizontal else piece.h, end - pos)
        part = piece.crop(0, 0, span, piece.h) if horizontal else piece.crop(0, 0, piece.w, span)
        img.draw(part, pos if horizontal else fixed, fixed if horizontal else pos)
        pos += span


def frame_window(w=760, h=520):
    p = frame.images()
    img = Image(w, h)
    img.rect(0, 0, w, h - 50, (165, 165, 165))
    img.rect(0, h - 50, w, h, (224, 224, 224))
    img.draw(p[ids.IDB_FRAME_TOP_LEFT], 0, 0)
    img.draw(p[ids.IDB_FRAME_LEFT_UPPER], 0, 50)
    _tile_run(img, 500, w - 60, p[ids.IDB_FRAME_TOP_EDGE], True, 0)
    img.draw(p[ids.IDB_FRAME_TOP_RIGHT], w - 60, 0)
    _tile_run(img, 390, h - 50, p[ids.IDB_FRAME_LEFT_EDGE], False, 0)
    _tile_run(img, 50, h - 390, p[ids.IDB_FRAME_RIGHT_EDGE], False, w - 24)
    img.draw(p[ids.IDB_FRAME_BOTTOM_LEFT], 0, h - 50)
    _tile_run(img, 60, w - 500, p[ids.IDB_FRAME_BOTTOM_EDGE], True, h - 30)
    img.draw(p[ids.IDB_FRAME_BOTTOM_RIGHT], w - 500, h - 50)
    img.draw(p[ids.IDB_FRAME_RIGHT_LOWER], w - 24, h - 390)
    img.draw(p[ids.IDB_TITLE_BADGE_ACTIVE], (w - 72) // 2, 8)
    inside = frame_outline(w, h)
    img.cut_outside(inside)
    return img


def frame_outline(w, h):
    corners = {}
    for rid, rects in frame.regions().items():
        corners[rid] = {(x, y) for l, t, r, b in rects for y in range(t, b) for x in range(l, r)}

    def inside(x, y):
        if 45 <= x < w - 45 or 44 <= y < h - 44:
            return True
        for rid, ox, oy in ((ids.IDR_FRAME_TOP_LEFT, 0, 0), (ids.IDR_FRAME_TOP_RIGHT, w - 45, 0),
                            (ids.IDR_FRAME_BOTTOM_LEFT, 0, h - 44), (ids.IDR_FRAME_BOTTOM_RIGHT, w - 45, h - 44)):
            if (x - ox, y - oy) in corners[rid]:
                return True
        return False
    return inside


def monitor_window(open_, rows):
    h = 48 + 29 * rows
    p = monitor.images()
    top, bottom = ((p[ids.IDB_MONITOR_OPEN_TOP], p[ids.IDB_MONITOR_OPEN_BOTTOM]) if open_ else
                   (p[ids.IDB_MONITOR_CLOSED_TOP], p[ids.IDB_MONITOR_CLOSED_BOTTOM]))
    img = Image(monitor.W, h)
    img.draw(top, 0, 0)
    src = top.crop(0, 37 if open_ else 38, monitor.W, 4)
    for y in range(39 if not open_ else 38, h - 38):
        img.draw(src.crop(0, 0, monitor.W, 1), 0, y)
    img.draw(bottom, 0, h - 38)
    icons = pictograms.device_icons()
    sev = markers.severity_markers()
    y = 18
    for i in range(rows):
        kind = 0 if rows == 1 else 1 if i == 0 else 3 if i == rows - 1 else 2
        t = tiles.tile(kind, False)
        img.draw(t, 24, y)
        y0 = 11 if kind in (0, 1) else 5
        img.draw(sev.crop(18 * (i % 5), 0, 18, 18), 34, y + y0)
        img.draw(icons.crop(24 * (1 + [0, 1, 4, 12, 24][i % 5]), 0, 24, 24), 56, y + y0 - 3)
        y += t.h
    shape = _monitor_shape(open_, h)
    img.cut_outside(shape)
    return img


def _monitor_shape(open_, h):
    r = monitor.regions()
    top = r[ids.IDR_MONITOR_OPEN_TOP] if open_ else r[ids.IDR_MONITOR_CLOSED_TOP]
    bottom = r[ids.IDR_MONITOR_OPEN_BOTTOM] if open_ else r[ids.IDR_MONITOR_CLOSED_BOTTOM]
    cells = {(x, y) for l, t, rr, b in top for y in range(t, b) for x in range(l, rr)}
    cells |= {(x, y + h - 77) for l, t, rr, b in bottom for y in range(t, b) for x in range(l, rr)}
    x0, x1 = (0, monitor.W - 1) if open_ else (17, monitor.W - 17)
    return lambda x, y: (x, y) in cells or (h >= 79 and x0 <= x < x1 and 38 <= y < h - 38)


def compositions():
    return [("MONITOR CLOSED", monitor_window(False, 3)), ("MONITOR OPEN", monitor_window(True, 3)),
            ("MONITOR 1 ROW", monitor_window(False, 1)), ("FRAME WINDOW", frame_window())]
