#!/usr/bin/env python3
"""Writes the desktop icons of packaging/icons/ from the pixel drawings: PNGs at every size
the hicolor theme is asked for, and a scalable SVG of the 32 x 32 drawing.

Sources: resources/orvale_icon.xpm (the program's own 32 x 32 window icon) and the hand-made
drawings of the same design at 16, 22, 24 and 48 (packaging/icons/orvale_icon_N.xpm), which
small sizes need to stay sharp. 64, 128 and 256 are the 32 one scaled by 2, 4 and 8, each
pixel a square block; the SVG draws its pixels as rectangles with crisp edges. Nothing but
Python's standard library is needed, so that neither the build nor this tool needs an image
program; the PNGs are committed.

Run once from the repository root after changing a drawing:
    python3 tools/gen_icons.py
"""
import os
import re
import struct
import sys
import zlib

ICONS = "packaging/icons"
DRAWN = {16: f"{ICONS}/orvale_icon_16.xpm", 22: f"{ICONS}/orvale_icon_22.xpm",
         24: f"{ICONS}/orvale_icon_24.xpm", 32: "resources/orvale_icon.xpm", 48: f"{ICONS}/orvale_icon_48.xpm"}
SCALED = {64: 2, 128: 4, 256: 8}  # the 32 drawing, times


def read_xpm(path):
    """The picture as rows of (r, g, b, a) tuples."""
    with open(path, encoding="ascii") as source:
        strings = re.findall(r'"([^"]*)"', source.read())
    width, height, colours, per_pixel = (int(field) for field in strings[0].split()[:4])
    palette = {}
    for entry in strings[1:1 + colours]:
        key, fields = entry[:per_pixel], entry[per_pixel:].split()
        value = fields[fields.index("c") + 1]
        if value.lower() == "none":
            palette[key] = (0, 0, 0, 0)
        elif re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            palette[key] = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5)) + (255,)
        else:
            sys.exit(f"{path}: colour {value!r} is not #RRGGBB or None")
    rows = strings[1 + colours:1 + colours + height]
    if len(rows) != height or any(len(row) != width * per_pixel for row in rows):
        sys.exit(f"{path}: the rows do not match {width} x {height}")
    return [[palette[row[i:i + per_pixel]] for i in range(0, len(row), per_pixel)] for row in rows]


def scaled(picture, factor):
    return [[pixel for pixel in row for _ in range(factor)] for row in picture for _ in range(factor)]


def png(picture):
    """An 8-bit RGBA PNG, the same bytes for the same picture (no time stamp, fixed compression)."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    height, width = len(picture), len(picture[0])
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in picture)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg(picture):
    """Each run of same-coloured pixels in a row as one rectangle."""
    size = len(picture)
    rects = []
    for y, row in enumerate(picture):
        x = 0
        while x < size:
            end = x
            while end < size and row[end] == row[x]:
                end += 1
            r, g, b, a = row[x]
            if a:
                rects.append(f'  <rect x="{x}" y="{y}" width="{end - x}" height="1" fill="#{r:02X}{g:02X}{b:02X}"/>')
            x = end
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}" '
            f'shape-rendering="crispEdges">\n' + "\n".join(rects) + "\n</svg>\n")


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)
    print(path)


def main():
    pictures = {size: read_xpm(path) for size, path in DRAWN.items()}
    for size, picture in pictures.items():
        if len(picture) != size:
            sys.exit(f"{DRAWN[size]} is not {size} x {size}")
    pictures.update({size: scaled(pictures[32], factor) for size, factor in SCALED.items()})
    os.makedirs(ICONS, exist_ok=True)
    for size in sorted(pictures):
        write(f"{ICONS}/orvale_{size}.png", png(pictures[size]))
    write(f"{ICONS}/orvale.svg", svg(pictures[32]).encode("ascii"))


if __name__ == "__main__":
    main()
