"""Every resource the program loads: id, resource type, file name and how it is made."""
from . import about, appicons, controls, frame, markers, monitor, pictograms, tiles
from .formats import bmp, cur, ico, rgndata, tga


def _tag(name):
    # Some pictures carry a 42-byte image-ID field, which the loader must skip.
    return ("Quorvane skin " + name).encode("ascii").ljust(42, b".")[:42]


class Entry:
    def __init__(self, rid, rtype, name, data, frames=1, preview=None, dark=False):
        self.rid, self.rtype, self.name, self.data = rid, rtype, name, data
        self.frames, self.preview, self.dark = frames, preview, dark


def build(version):
    """All entries, in id order. preview holds the pictures for the contact sheet."""
    out = []

    def add_tga(rid, img, frames=1, tagged=False, dark=False):
        out.append(Entry(rid, "TGA", "skin%d.tga" % rid, tga(img, _tag(str(rid)) if tagged else b""),
                         frames, [img], dark))

    def add_bmp(rid, img, frames=1):
        out.append(Entry(rid, "BITMAP", "skin%d.bmp" % rid, bmp(img, 24), frames, [img]))

    add_tga(101, controls.wide_buttons(), 2)
    add_bmp(102, about.background_texture())
    add_bmp(103, controls.scroll_arrows(), 4)
    add_bmp(104, controls.scroll_thumb(), 2)
    add_tga(106, controls.caption_buttons(), 6)
    add_tga(107, markers.severity_markers(), 5, tagged=True, dark=True)
    add_tga(108, pictograms.device_icons(), 27, tagged=True, dark=True)
    add_tga(109, tiles.middle(), 2)
    add_tga(110, tiles.first_last(), 4)
    add_tga(111, tiles.only(), 2)
    add_tga(112, controls.narrow_buttons(), 2)
    add_tga(114, controls.check_box(), 4)
    add_tga(123, markers.hub_plates(), 4, dark=True)
    add_tga(124, controls.show_more_less(), 2)
    add_bmp(128, markers.port_badges(), 8)
    add_tga(130, controls.folders(), 2)
    add_bmp(132, markers.transmission_lights(), 12)
    add_bmp(133, controls.slider_track())
    add_bmp(134, controls.slider_knob(), 2)
    add_tga(144, controls.scroll_buttons(), 4)
    for rid, img in sorted(monitor.images().items()):
        add_tga(rid, img, tagged=True)
    for rid, img in sorted(frame.images().items()):
        add_tga(rid, img, tagged=rid not in (181, 182))
    add_bmp(164, about.about_picture(version))

    out.append(Entry(125, "ICON", "app125.ico", None, preview=appicons.app_icon(), dark=True))
    out[-1].data = ico(out[-1].preview)
    for rid, level in ((160, 4), (161, 3), (162, 2), (163, 1)):
        imgs = appicons.tray_icon(level)
        out.append(Entry(rid, "ICON", "tray%d.ico" % rid, ico(imgs), preview=imgs, dark=True))
    for rid in sorted(appicons.CURSORS):
        imgs, spots = appicons.cursor_images(rid)
        out.append(Entry(rid, "CURSOR", "cursor%d.cur" % rid, cur(imgs, spots), preview=imgs, dark=True))
    for rid, rects in sorted(list(monitor.regions().items()) + list(frame.regions().items())):
        out.append(Entry(rid, "RGN", "shape%d.rgn" % rid, rgndata(rects)))
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
            "Frame n + 1 of TGA 108 is icon n; frame 0 is the USB 2.0 overlay. Icon 25 is the",
            "computer (the system record) and stands in no folder of the icon chooser.", "",
            "| Icon | Meaning | Folder |", "|---:|---|---|"]
    for number, meaning, _ in pictograms.ICONS:
        names = [name for name, icons in folders if number in icons]
        rows.append("| %d | %s | %s |" % (number, meaning, ", ".join(names) or "(none: the computer)"))
    return "\n".join(rows) + "\n"
