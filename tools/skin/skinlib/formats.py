"""File formats the resource compiler embeds: TGA, BMP, ICO/CUR, RGNDATA; PNG for review."""
import struct
import zlib


def tga(img, image_id=b"", rgba=None):
    """Uncompressed 32-bit true colour, 8 alpha bits, top-left origin, straight alpha.
    rgba: the picture's rgba8(), when already at hand."""
    head = struct.pack("<BBB5sHHHHBB", len(image_id), 0, 2, b"\0" * 5, 0, 0,
                       img.w, img.h, 32, 0x28)
    rgba = rgba or img.rgba8()
    bgra = bytearray(len(rgba))
    bgra[0::4], bgra[1::4], bgra[2::4], bgra[3::4] = rgba[2::4], rgba[1::4], rgba[0::4], rgba[3::4]
    return head + image_id + bytes(bgra)


def _bgr_rows_bottom_up(img, bits, rgba=None):
    rgba = rgba or img.rgba8()
    pad = (-img.w * bits // 8) % 4
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            i = (y * img.w + x) * 4
            row += bytes((rgba[i + 2], rgba[i + 1], rgba[i]))
            if bits == 32:
                row.append(rgba[i + 3])
        rows.append(bytes(row) + b"\0" * pad)
    return b"".join(rows)


def bmp(img, bits=24, rgba=None):
    """A Windows bitmap file; 24-bit pictures must be opaque."""
    data = _bgr_rows_bottom_up(img, bits, rgba)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + data


def _and_mask(img):
    rgba = img.rgba8()
    stride = ((img.w + 31) // 32) * 4
    out = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(img.w):
            if rgba[(y * img.w + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _icon_dir(kind, images, hotspots=None):
    """kind 1 = icon, 2 = cursor; images of 32-bit colour with an AND mask each."""
    blobs = []
    for img in images:
        info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        blobs.append(info + _bgr_rows_bottom_up(img, 32) + _and_mask(img))
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for n, (img, blob) in enumerate(zip(images, blobs)):
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[n]
        out += struct.pack("<BBBBHHII", img.w % 256, img.h % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def ico(images):
    return _icon_dir(1, images)


def cur(images, hotspots):
    """hotspots: (x, y) per image, in that image's pixels."""
    return _icon_dir(2, images, hotspots)


def bands(inside, w, h):
    """Rectangles (left, top, right, bottom) of the pixels where inside(x, y), one set per
    scan band: rows with the same runs share a band; bands top to bottom, runs left to right."""
    def runs(y):
        out, x = [], 0
        while x < w:
            if inside(x, y):
                s = x
                while x < w and inside(x, y):
                    x += 1
                out.append((s, x))
            else:
                x += 1
        return out

    rects, band_top, band_runs = [], 0, None
    for y in range(h + 1):
        r = runs(y) if y < h else None
        if r != band_runs:
            if band_runs:
                rects += [(a, band_top, b, y) for a, b in band_runs]
            band_top, band_runs = y, r
    return rects


def rgndata(rects):
    left = min(r[0] for r in rects)
    top = min(r[1] for r in rects)
    right = max(r[2] for r in rects)
    bottom = max(r[3] for r in rects)
    head = struct.pack("<IIII4i", 32, 1, len(rects), 16 * len(rects), left, top, right, bottom)
    return head + b"".join(struct.pack("<4i", *r) for r in rects)


def png(w, h, rgb):
    """An opaque 8-bit RGB PNG from rows of r, g, b bytes."""
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        raw += rgb[y * w * 3:(y + 1) * w * 3]

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 3)) + chunk(b"IEND", b""))
