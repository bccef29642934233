#!/usr/bin/env python3
"""Writes the program's skin into a folder: every resource file, Art.rc that embeds
them, include/resources/ResourceIds.h with every resource id, a contact sheet for review and
the table of device icons.

usage: generate.py OUTDIR [--version X.Y.Z] [--no-sheet]"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from skinlib import catalog, ids, sheet  # noqa: E402


def write(path, data):
    # Write beside and rename, so an interrupted build never leaves half a file.
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def write_if_changed(path, data):
    # The whole program includes the ids: an unchanged header keeps its time stamp.
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    write(path, data)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("outdir")
    ap.add_argument("--version", default="1.0.0")
    ap.add_argument("--no-sheet", action="store_true")
    args = ap.parse_args()
    art = os.path.join(args.outdir, "skin")
    os.makedirs(art, exist_ok=True)
    entries = catalog.build(args.version)
    for e in entries:
        write(os.path.join(art, e.name), e.data)
    write(os.path.join(args.outdir, "DeviceIcons.md"), catalog.icon_table().encode())
    if not args.no_sheet:
        write(os.path.join(args.outdir, "ContactSheet.png"), sheet.contact_sheet(entries))
    write(os.path.join(args.outdir, "Art.rc"), catalog.rc_text(entries, art.replace(os.sep, "/")).encode())
    header = os.path.join(args.outdir, "include", "resources", "ResourceIds.h")
    os.makedirs(os.path.dirname(header), exist_ok=True)
    write_if_changed(header, ids.header_text().encode())
    return 0


if __name__ == "__main__":
    sys.exit(main())
