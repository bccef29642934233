"""Checks the generated skin against the program's resource tables.

usage: test_skin.py GENERATED_DIR RESOURCES_DIR"""
import os
import sys
import unittest

from skinfiles import (expected_resources, quoted_strings, read_bmp, read_icon_dir, read_rgn,
                       read_tga, region_cells, string_table)

GEN = RES = None
_cache = {}


def load(rid):
    if rid not in _cache:
        kind = expected_resources()[rid][0]
        name = {"TGA": "skin%d.tga", "BITMAP": "skin%d.bmp", "RGN": "shape%d.rgn"}[kind] % rid
        with open(os.path.join(GEN, "skin", name), "rb") as f:
            data = f.read()
        _cache[rid] = {"TGA": read_tga, "BITMAP": read_bmp, "RGN": read_rgn}[kind](data)
    return _cache[rid]


def frame_of(pic, index, frames):
    fw = pic.w // frames
    return [row[index * fw:(index + 1) * fw] for row in pic.rows]


class Formats(unittest.TestCase):
    def test_every_picture_has_its_size_and_nonempty_frames(self):
        for rid, (kind, nums) in expected_resources().items():
            if kind == "RGN":
                continue
            with self.subTest(id=rid):
                pic = load(rid)
                w, h, frames = nums
                self.assertEqual((pic.w, pic.h), (w, h))
                for k in range(frames):
                    cells = [p for row in frame_of(pic, k, frames) for p in row]
                    self.assertTrue(any(p[3] > 0 for p in cells), "frame %d is empty" % k)
                    self.assertGreater(len(set(cells)), 3, "frame %d is flat" % k)

    def test_bitmaps_are_24_bit(self):
        for rid, (kind, _) in expected_resources().items():
            if kind == "BITMAP":
                with self.subTest(id=rid):
                    self.assertEqual(load(rid).bits, 24)

    def test_some_pictures_carry_an_image_id_the_loader_must_skip(self):
        tagged = [rid for rid, (kind, _) in expected_resources().items() if kind == "TGA" and load(rid).id_length]
        self.assertGreaterEqual(len(tagged), 5)

    def test_regions_are_rectangle_lists_banded_as_the_system_expects(self):
        for rid, (kind, bound) in expected_resources().items():
            if kind != "RGN":
                continue
            with self.subTest(id=rid):
                rgn = load(rid)
                self.assertEqual((rgn["size"], rgn["type"]), (32, 1))
                self.assertTrue(20 <= rgn["count"] <= 29, rgn["count"])
                self.assertEqual(rgn["rgn_size"], 16 * rgn["count"])
                self.assertEqual(rgn["length"], 32 + rgn["rgn_size"])
                self.assertEqual(tuple(rgn["bound"]), tuple(bound))
                rects = rgn["rects"]
                union = (min(r[0] for r in rects), min(r[1] for r in rects),
                         max(r[2] for r in rects), max(r[3] for r in rects))
                self.assertEqual(union, tuple(bound))
                for a, b in zip(rects, rects[1:]):  # one rectangle per band, bands top down
                    self.assertEqual(a[3], b[1])
                    self.assertNotEqual((a[0], a[2]), (b[0], b[2]), "bands that could merge")

    def test_icons_and_cursors_hold_16_and_32_pixel_images_with_masks(self):
        for name, kind in [("app125.ico", 1)] + [("tray%d.ico" % i, 1) for i in range(160, 164)] + \
                          [("cursor%d.cur" % i, 2) for i in range(135, 139)]:
            with self.subTest(file=name), open(os.path.join(GEN, "skin", name), "rb") as f:
                got_kind, entries = read_icon_dir(f.read())
                self.assertEqual(got_kind, kind)
                self.assertEqual(sorted(e[0] for e in entries), [16, 32])
                for w, h, f4, f6, header, length in entries:
                    self.assertEqual((header[0], header[1], header[2], header[4]), (40, w, 2 * h, 32))
                    mask = ((w + 31) // 32) * 4 * h
                    self.assertEqual(length, 40 + w * h * 4 + mask)
                    if kind == 2:  # hotspot inside the picture
                        self.assertTrue(0 <= f4 < w and 0 <= f6 < h)


class Strings(unittest.TestCase):
    def test_every_id_is_present_and_quoted_texts_are_exact(self):
        table = string_table(RES)
        self.assertEqual(sorted(table), list(range(1, 103)))
        for rid, text in table.items():
            self.assertTrue(text.strip(), "string %d is empty" % rid)
        for rid, text in quoted_strings().items():
            with self.subTest(id=rid):
                self.assertEqual(table[rid], text)


if __name__ == "__main__":
    GEN, RES = sys.argv[1], sys.argv[2]
    del sys.argv[1:3]
    import test_shapes
    test_shapes.bind(load, frame_of)
    suite = unittest.TestSuite()
    loader = unittest.defaultTestLoader
    suite.addTests(loader.loadTestsFromModule(sys.modules["__main__"]))
    suite.addTests(loader.loadTestsFromModule(test_shapes))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
