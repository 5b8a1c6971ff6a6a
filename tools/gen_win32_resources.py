#!/usr/bin/env python3
"""Writes the Windows window's pictures from the same XPM drawings the Linux window shows:
each drive picture as a 16-colour .bmp (the bitmap resources FLOPPY, HARD, NETWORK, CDROM
and RAM) and the window icon as a 32 x 32, 16-colour .ico.

The build runs it (resources/win32/CMakeLists.txt) into the build folder, so the Windows
files are never drawn twice and can never fall behind an edited drawing; it needs Python's
standard library only.

    python3 tools/gen_win32_resources.py OUTPUT_FOLDER
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_icons import read_xpm  # noqa: E402  (the one XPM reader)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURES = ["floppy", "hard", "network", "cdrom", "ram"]
ICON = "orvale_icon"
COLOURS = 16


def palette_of(picture):
    """The opaque colours of a picture in the order they first appear, at most 16, black
    first when the picture has transparent pixels (an icon's transparent pixels are black
    under their mask)."""
    colours = []
    if any(pixel[3] == 0 for row in picture for pixel in row):
        colours.append((0, 0, 0))
    for row in picture:
        for r, g, b, a in row:
            if a and (r, g, b) not in colours:
                colours.append((r, g, b))
    if len(colours) > COLOURS:
        sys.exit(f"{len(colours)} colours: a 16-colour picture holds at most {COLOURS}")
    return colours + [(0, 0, 0)] * (COLOURS - len(colours))


def four_bit_rows(picture, palette):
    """The pixels as palette indices, two to a byte, bottom row first, rows padded to 4 bytes."""
    rows = []
    for row in reversed(picture):
        indices = [palette.index(pixel[:3]) if pixel[3] else 0 for pixel in row]
        if len(indices) % 2:
            indices.append(0)
        data = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(indices), 2))
        rows.append(data + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def mask_rows(picture):
    """The AND mask: 1 for a transparent pixel, bottom row first, rows padded to 4 bytes."""
    rows = []
    for row in reversed(picture):
        bits = [0 if pixel[3] else 1 for pixel in row]
        bits += [0] * (-len(bits) % 8)
        data = bytes(sum(bit << (7 - k) for k, bit in enumerate(bits[i:i + 8])) for i in range(0, len(bits), 8))
        rows.append(data + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def info_header(width, height, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_bytes, 0, 0, COLOURS, 0)


def rgbquads(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def bmp(picture):
    height, width = len(picture), len(picture[0])
    palette = palette_of(picture)
    pixels = four_bit_rows(picture, palette)
    header = info_header(width, height, len(pixels)) + rgbquads(palette)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pixels


def ico(picture):
    height, width = len(picture), len(picture[0])
    palette = palette_of(picture)
    pixels, mask = four_bit_rows(picture, palette), mask_rows(picture)
    # An icon's header counts the colour image and its mask together: twice the height.
    image = info_header(width, 2 * height, len(pixels) + len(mask)) + rgbquads(palette) + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, COLOURS, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name in PICTURES:
        write(os.path.join(out, f"{name}.bmp"), bmp(read_xpm(os.path.join(ROOT, "resources", f"{name}.xpm"))))
    write(os.path.join(out, "orvale.ico"), ico(read_xpm(os.path.join(ROOT, "resources", f"{ICON}.xpm"))))


if __name__ == "__main__":
    main()
