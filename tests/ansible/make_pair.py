#!/usr/bin/env python3
"""Writes a configuration pair for the role's test and benchmark: the program's defaults
(a saved file from the source tree) as DIR/clinica.cfg, and a striped picture of WIDTH x HEIGHT
as DIR/clinica.bmp; with --logo W H the file's logo is W dots wide and H rows high. With
--gradient the picture is a colour gradient instead, whose dots sweep the luminances the
threshold decides between.
Usage: make_pair.py SOURCE_DIR DIR WIDTH HEIGHT [--logo W H] [--gradient]"""
import struct
import sys

src, out, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
lines = open(f"{src}/fuzz/corpus/valid_default.cfg", "rb").read().split(b"\r\n")
if "--logo" in sys.argv:
    at = sys.argv.index("--logo")
    lines[175] = sys.argv[at + 2].encode()  # line 176: height
    lines[176] = sys.argv[at + 1].encode()  # line 177: width
    lines[178] = b"TRUE"                    # line 179: print the logo
open(f"{out}/clinica.cfg", "wb").write(b"\r\n".join(lines))

row = (width * 3 + 3) & ~3


def dot(x, y):
    if "--gradient" in sys.argv:  # blue, green, red, as a bitmap stores them
        return bytes([(x * 255 // max(width - 1, 1) + y) % 256, (x + 3 * y) % 256, (y * 255 // max(height - 1, 1)) % 256])
    return bytes([0, 0, 0]) if (x // 7 + y // 5) % 2 else bytes([255, 255, 255])


pixels = b"".join(
    b"".join(dot(x, y) for x in range(width))
    + bytes(row - width * 3)
    for y in range(height))
header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open(f"{out}/clinica.bmp", "wb").write(header + info + pixels)
