"""Every resource the program loads: id, resource type, file name and how it is made."""
from . import about, appicons, controls, frame, ids, markers, monitor, pictograms, tiles
from .canvas import R, drawn_at
from .formats import bmp, cur, ico, rgndata, tga


def _tag(name):
    # Some pictures carry a 42-byte image-ID field, which the loader must skip.
    return ("Quorvane skin " + name).encode("ascii").ljust(42, b".")[:42]


class Entry:
    def __init__(self, rid, rtype, name, data, frames=1, preview=None, dark=False, scale=1.0, rects=None, rgba=None):
        self.rid, self.rtype, self.name, self.data = rid, rtype, name, data
        self.frames, self.preview, self.dark = frames, preview, dark
        self.scale, self.rects, self.rgba = scale, rects, rgba  # rgba: the picture's rgba8()


# Every picture and region is drawn at these scales. At 1x pictures are TGA (alpha) or
# opaque BITMAP resources and regions RGN; at 150 and 200 % every picture is a TGA150 or
# TGA200 and every region an RGN150 or RGN200 of the same id.
SCALES = (1.0, 1.5, 2.0)


def _pictures(add, version):
    add(ids.IDB_WIDE_BUTTONS, controls.wide_buttons(), 2)
    add(ids.IDB_BACKGROUND_TEXTURE, about.background_texture(), opaque=True)
    add(ids.IDB_SCROLL_ARROWS, controls.scroll_arrows(), 4, opaque=True)
    add(ids.IDB_SCROLL_THUMB, controls.scroll_thumb(), 2, opaque=True)
    add(ids.IDB_CAPTION_BUTTONS, controls.caption_buttons(), 6)
    add(ids.IDB_SEVERITY_MARKERS, markers.severity_markers(), 5, tagged=True, dark=True)
    add(ids.IDB_DEVICE_ICONS, pictograms.device_icons(), 27, tagged=True, dark=True)
    add(ids.IDB_TILE_MIDDLE, tiles.middle(), 2)
    add(ids.IDB_TILE_FIRST_LAST, tiles.first_last(), 4)
    add(ids.IDB_TILE_ONLY, tiles.only(), 2)
    add(ids.IDB_NARROW_BUTTONS, controls.narrow_buttons(), 2)
    add(ids.IDB_CHECK_BOX, controls.check_box(), 4)
    add(ids.IDB_HUB_PLATES, markers.hub_plates(), 4, dark=True)
    add(ids.IDB_EXPAND_MARKERS, controls.show_more_less(), 2)
    add(ids.IDB_PORT_BADGES, markers.port_badges(), 8, opaque=True)
    add(ids.IDB_ICON_FOLDERS, controls.folders(), 2)
    add(ids.IDB_TRANSMISSION_LIGHTS, markers.transmission_lights(), 12, opaque=True)
    add(ids.IDB_SLIDER_TRACK, controls.slider_track(), opaque=True)
    add(ids.IDB_SLIDER_KNOB, controls.slider_knob(), 2, opaque=True)
    add(ids.IDB_MONITOR_SCROLL_BUTTONS, controls.scroll_buttons(), 4)
    for rid, img in sorted(monitor.images().items()):
        add(rid, img, tagged=True)
    for rid, img in sorted(frame.images().items()):
        add(rid, img, tagged=rid not in (ids.IDB_TITLE_BADGE_ACTIVE, ids.IDB_TITLE_BADGE_INACTIVE))
    add(ids.IDB_ABOUT_PICTURE, about.about_picture(version), opaque=True)


def _scaled_art(out, version, s):
    pct = R(s * 100)
    at = "" if s == 1 else "@%d" % pct

    def add(rid, img, frames=1, tagged=False, dark=False, opaque=False):
        rgba = img.rgba8()
        if s == 1 and opaque:
            kind, name, data = "BITMAP", "skin%d.bmp" % rid, bmp(img, 24, rgba)
        else:
            kind, name = "TGA" if s == 1 else "TGA%d" % pct, "skin%d%s.tga" % (rid, at)
            data = tga(img, _tag(str(rid)) if tagged else b"", rgba)
        out.append(Entry(rid, kind, name, data, frames, [img], dark, s, rgba=rgba))

    with drawn_at(s):
        _pictures(add, version)
        for rid, rects in sorted(list(monitor.regions().items()) + list(frame.regions().items())):
            kind = "RGN" if s == 1 else "RGN%d" % pct
            out.append(Entry(rid, kind, "shape%d%s.rgn" % (rid, at), rgndata(rects), scale=s, rects=rects))


def build(version):
    """All entries, in id order, each id's scales in order. preview holds the pictures for
    the contact sheet."""
    out = []
    for s in SCALES:
        _scaled_art(out, version, s)
    out.append(Entry(ids.IDI_APP, "ICON", "app%d.ico" % ids.IDI_APP, None, preview=appicons.app_icon(), dark=True))
    out[-1].data = ico(out[-1].preview)
    for rid, level in ((ids.IDI_TRAY_SEVERITY_1, 1), (ids.IDI_TRAY_SEVERITY_2, 2),
                       (ids.IDI_TRAY_SEVERITY_3, 3), (ids.IDI_TRAY_SEVERITY_4, 4)):
        imgs = appicons.tray_icon(level)
        out.append(Entry(rid, "ICON", "tray%d.ico" % rid, ico(imgs), preview=imgs, dark=True))
    for rid in sorted(appicons.CURSORS):
        imgs, spots = appicons.cursor_images(rid)
        out.append(Entry(rid, "CURSOR", "cursor%d.cur" % rid, cur(imgs, spots), preview=imgs, dark=True))
    # Each file the program loads has its name in ids.py, and each such name its file.
    named = {rid for name, rid in ids.names() if name.startswith(("IDB_", "IDI_", "IDC_", "IDR_"))}
    if named != {e.rid for e in out}:
        raise SystemExit("skin: ids.py and the catalog differ in %s" % sorted(named ^ {e.rid for e in out}))
    return sorted(out, key=lambda e: e.rid)


def rc_text(entries, folder):
    lines = ["// Generated with the skin; included by Quorvane.rc.", ""]
    for e in entries:
        lines.append('%d %s "%s/%s"' % (e.rid, e.rtype, folder, e.name))
    return "\n".join(lines) + "\n"


def icon_table():
    """Markdown: number, meaning and icon-chooser folder of each device pictogram."""
    folders = [("Mass Storage", (1, 2, 3)), ("Input", (0, 4, 5, 6, 7)), ("Imaging", (8, 9)),
               ("Audio", (11, 24, 20, 21)), ("Video", (10, 18, 19)), ("Printer", (12, 13)),
               ("Communications", (14, 15)), ("Misc.", (16, 17, 13, 22, 23))]
    rows = ["# Device icons", "",
            "Frame n + 1 of TGA %d is icon n; frame 0 is the USB 2.0 overlay. Icon 25 is the" % ids.IDB_DEVICE_ICONS,
            "computer (the system record) and stands in no folder of the icon chooser.", "",
            "| Icon | Meaning | Folder |", "|---:|---|---|"]
    for number, meaning, _ in pictograms.ICONS:
        names = [name for name, icons in folders if number in icons]
        rows.append("| %d | %s | %s |" % (number, meaning, ", ".join(names) or "(none: the computer)"))
    return "\n".join(rows) + "\n"
