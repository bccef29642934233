"""Assembled views for review: the monitoring window and the frame window built from
their pieces and window regions, at one scale, the way the program puts them together,
so joins can be checked by eye."""
from . import ids
from .canvas import Image, R


def _frames(strip, n):
    fw = strip.w // n
    return [strip.crop_px(k * fw, 0, fw, strip.h) for k in range(n)]


def _tile_run(img, start, end, piece, horizontal, fixed):
    pos = start
    while pos < end:
        span = min(piece.w if horizontal else piece.h, end - pos)
        part = piece.crop_px(0, 0, span, piece.h) if horizontal else piece.crop_px(0, 0, piece.w, span)
        img.draw_px(part, pos if horizontal else fixed, fixed if horizontal else pos)
        pos += span


def _keep(img, rects):
    """Clear every pixel outside the union of rects (left, top, right, bottom)."""
    for y in range(img.h):
        x, row = 0, y * img.w
        for left, right in sorted((l, r) for l, t, r, b in rects if t <= y < b) + [(img.w, img.w)]:
            left = min(left, img.w)
            if left > x:
                img.p[(row + x) * 4:(row + left) * 4] = [0.0] * ((left - x) * 4)
            x = max(x, min(right, img.w))


def _placed(rects, dx, dy):
    return [(l + dx, t + dy, r + dx, b + dy) for l, t, r, b in rects]


def frame_window(p, rgn, s, w=760, h=520):
    w, h = R(w * s), R(h * s)
    img = Image.sized(w, h, s)
    img._rect(0, 0, w, h - R(50 * s), (165, 165, 165), 1.0)
    img._rect(0, h - R(50 * s), w, h, (224, 224, 224), 1.0)
    tl, tr, bl, br = (p[rid] for rid in (ids.IDB_FRAME_TOP_LEFT, ids.IDB_FRAME_TOP_RIGHT,
                                          ids.IDB_FRAME_BOTTOM_LEFT, ids.IDB_FRAME_BOTTOM_RIGHT))
    lu, rl, re = p[ids.IDB_FRAME_LEFT_UPPER], p[ids.IDB_FRAME_RIGHT_LOWER], p[ids.IDB_FRAME_RIGHT_EDGE]
    be = p[ids.IDB_FRAME_BOTTOM_EDGE]
    img.draw_px(tl, 0, 0)
    img.draw_px(lu, 0, tl.h)
    _tile_run(img, tl.w, w - tr.w, p[ids.IDB_FRAME_TOP_EDGE], True, 0)
    img.draw_px(tr, w - tr.w, 0)
    _tile_run(img, tl.h + lu.h, h - bl.h, p[ids.IDB_FRAME_LEFT_EDGE], False, 0)
    _tile_run(img, tr.h, h - br.h - rl.h, re, False, w - re.w)
    img.draw_px(bl, 0, h - bl.h)
    _tile_run(img, bl.w, w - br.w, be, True, h - be.h)
    img.draw_px(br, w - br.w, h - br.h)
    img.draw_px(rl, w - rl.w, h - br.h - rl.h)
    badge = p[ids.IDB_TITLE_BADGE_ACTIVE]
    img.draw_px(badge, (w - badge.w) // 2, R(8 * s))
    cw, ch = R(45 * s), R(44 * s)
    rects = [(cw, 0, w - cw, h), (0, ch, w, h - ch)]
    for rid, dx, dy in ((ids.IDR_FRAME_TOP_LEFT, 0, 0), (ids.IDR_FRAME_TOP_RIGHT, w - cw, 0),
                        (ids.IDR_FRAME_BOTTOM_LEFT, 0, h - ch), (ids.IDR_FRAME_BOTTOM_RIGHT, w - cw, h - ch)):
        rects += _placed(rgn[rid], dx, dy)
    _keep(img, rects)
    return img


def monitor_window(p, rgn, s, open_, rows):
    top, bottom = ((p[ids.IDB_MONITOR_OPEN_TOP], p[ids.IDB_MONITOR_OPEN_BOTTOM]) if open_ else
                   (p[ids.IDB_MONITOR_CLOSED_TOP], p[ids.IDB_MONITOR_CLOSED_BOTTOM]))
    w, h = top.w, R((48 + 29 * rows) * s)
    img = Image.sized(w, h, s)
    img.draw_px(top, 0, 0)
    row = top.crop_px(0, R((37 if open_ else 38) * s), w, 1)
    for y in range(R((38 if open_ else 39) * s), h - bottom.h):
        img.draw_px(row, 0, y)
    img.draw_px(bottom, 0, h - bottom.h)
    first_last = _frames(p[ids.IDB_TILE_FIRST_LAST], 4)
    kinds = [_frames(p[ids.IDB_TILE_ONLY], 2)[0], first_last[0], _frames(p[ids.IDB_TILE_MIDDLE], 2)[0], first_last[2]]
    markers, icons = _frames(p[ids.IDB_SEVERITY_MARKERS], 5), _frames(p[ids.IDB_DEVICE_ICONS], 27)
    y = R(18 * s)
    for i in range(rows):
        kind = 0 if rows == 1 else 1 if i == 0 else 3 if i == rows - 1 else 2
        img.draw_px(kinds[kind], R(24 * s), y)
        y0 = 11 if kind in (0, 1) else 5
        img.draw_px(markers[i % 5], R(34 * s), y + R(y0 * s))
        img.draw_px(icons[1 + [0, 1, 4, 12, 24][i % 5]], R(56 * s), y + R((y0 - 3) * s))
        y += kinds[kind].h
    top_rgn, bottom_rgn = ((rgn[ids.IDR_MONITOR_OPEN_TOP], rgn[ids.IDR_MONITOR_OPEN_BOTTOM]) if open_ else
                           (rgn[ids.IDR_MONITOR_CLOSED_TOP], rgn[ids.IDR_MONITOR_CLOSED_BOTTOM]))
    x0, x1 = (0, R(184 * s)) if open_ else (R(17 * s), R(168 * s))
    rects = top_rgn + _placed(bottom_rgn, 0, h - R(77 * s)) + [(x0, R(38 * s), x1, h - R(38 * s))]
    _keep(img, rects)
    return img


def compositions(p, rgn, s):
    """(label, picture) of each view, from the pictures p and regions rgn (by id) at scale s."""
    return [("MONITOR CLOSED", monitor_window(p, rgn, s, False, 3)), ("MONITOR OPEN", monitor_window(p, rgn, s, True, 3)),
            ("MONITOR 1 ROW", monitor_window(p, rgn, s, False, 1)), ("FRAME WINDOW", frame_window(p, rgn, s))]
