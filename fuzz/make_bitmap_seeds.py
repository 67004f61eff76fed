#!/usr/bin/env python3
"""Writes the seed corpus of the bitmap fuzz target into fuzz/corpus_bitmap/: small valid
Windows bitmaps of every depth and header kind the logo loader takes (1, 4, 8, 16, 24 and
32 bits; RLE4, RLE8, bit fields; OS/2 1.x and 2.x, Windows 3, version 4 and 5 headers;
bottom-up and top-down), and broken ones (lying headers, truncated data, bad fields).
Deterministic: running it again writes the same files. Usage: fuzz/make_bitmap_seeds.py"""

import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus_bitmap")


def rows_padded(rows):
    out = b""
    for row in rows:
        out += bytes(row) + b"\0" * (-len(row) % 4)
    return out


def bmp(width, height, bits, pixels, compression=0, palette=(), colors_used=0, header=40,
        masks=(), offset=None, planes=1, magic=b"BM"):
    """A bitmap file; `palette` as (r, g, b) tuples, `masks` written after a 40-byte
    header or inside a version 4/5 header."""
    if header == 12:
        info = struct.pack("<IhhHH", 12, width, height, planes, bits)
        pal = b"".join(struct.pack("BBB", b, g, r) for r, g, b in palette)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, planes, bits, compression,
                           len(pixels), 2835, 2835, colors_used, 0)
        if header >= 108:
            m = list(masks) + [0] * (4 - len(masks))
            info += struct.pack("<IIII", *m) + struct.pack("<I", 0x57696E20) + b"\0" * 36 + b"\0" * 12
            if header == 124:
                info += struct.pack("<IIII", 4, 0, 0, 0)
        else:
            info += b"\0" * (header - 40)
        pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
        if header == 40 and compression == 3:
            pal = b"".join(struct.pack("<I", x) for x in masks) + pal
    start = 14 + len(info) + len(pal)
    data_offset = start if offset is None else offset
    file_header = magic + struct.pack("<IHHI", start + len(pixels), 0, 0, data_offset)
    return file_header + info + pal + pixels


GREYS16 = [(i * 17, i * 17, i * 17) for i in range(16)]
GREYS256 = [(i, i, i) for i in range(256)]
MONO = [(0, 0, 0), (255, 255, 255)]


def seeds():
    s = {}
    # 1 bit: bottom-up, an odd width, top-down, a wider picture, light-on-dark palette.
    s["mono_8x4"] = bmp(8, 4, 1, rows_padded([[0xAA], [0x55], [0xF0], [0x0F]]), palette=MONO)
    s["mono_13x5_odd"] = bmp(13, 5, 1, rows_padded([[0xFF, 0xF8], [0x80, 0x08], [0x9A, 0xC8],
                                                     [0x80, 0x08], [0xFF, 0xF8]]), palette=MONO)
    s["mono_topdown"] = bmp(9, -3, 1, rows_padded([[0x00, 0x00], [0xFF, 0x80], [0x12, 0x00]]), palette=MONO)
    s["mono_120x90"] = bmp(120, 90, 1, rows_padded(
        [[(0xFF if (x + y // 6) % 3 == 0 else 0x18) for x in range(15)] for y in range(90)]), palette=MONO)
    s["mono_inverted_palette"] = bmp(16, 2, 1, rows_padded([[0x0F, 0xF0], [0xC3, 0x3C]]),
                                     palette=[(255, 255, 255), (0, 0, 0)])
    # 4 bit: full and short palettes (indices beyond the table read as black).
    s["pal4_5x3"] = bmp(5, 3, 4, rows_padded([[0x01, 0x23, 0x40], [0x56, 0x78, 0x90],
                                              [0xAB, 0xCD, 0xE0]]), palette=GREYS16)
    s["pal4_short_table"] = bmp(4, 2, 4, rows_padded([[0x01, 0x2F], [0xF2, 0x10]]),
                                palette=[(255, 0, 0), (0, 255, 0), (0, 0, 255)], colors_used=3)
    # 8 bit.
    s["pal8_7x4"] = bmp(7, 4, 8, rows_padded([[(x * 37 + y * 11) % 256 for x in range(7)] for y in range(4)]),
                        palette=GREYS256)
    s["pal8_10_colours"] = bmp(6, 3, 8, rows_padded([[0, 3, 9, 10, 200, 255], [1, 2, 3, 4, 5, 6],
                                                     [9, 9, 9, 0, 0, 0]]),
                               palette=[(i * 25, 255 - i * 25, 128) for i in range(10)], colors_used=10)
    # 16 bit: 5-5-5 without masks, 5-6-5 with bit fields.
    px16 = rows_padded([list(struct.pack("<3H", 0x7FFF, 0x001F, 0x7C00)), list(struct.pack("<3H", 0, 0x03E0, 0x4210))])
    s["rgb16_555"] = bmp(3, 2, 16, px16)
    px565 = rows_padded([list(struct.pack("<3H", 0xF800, 0x07E0, 0x001F)), list(struct.pack("<3H", 0xFFFF, 0, 0x8410))])
    s["rgb16_565_bitfields"] = bmp(3, 2, 16, px565, compression=3, masks=(0xF800, 0x07E0, 0x001F))
    # 24 bit: bottom-up and top-down.
    px24 = rows_padded([[255, 255, 255, 0, 0, 0, 10, 200, 30, 128, 128, 128, 0, 0, 255],
                        [0, 255, 0, 255, 0, 0, 80, 80, 80, 127, 127, 127, 1, 2, 3],
                        [9, 9, 9, 250, 250, 250, 0, 0, 0, 40, 50, 60, 255, 0, 255]])
    s["rgb24_5x3"] = bmp(5, 3, 24, px24)
    s["rgb24_topdown"] = bmp(5, -3, 24, px24)
    # 32 bit: no masks, bit fields, a version 4 header with an alpha mask.
    px32 = bytes([(i * 53) % 256 for i in range(4 * 4 * 4)])
    s["rgb32_4x4"] = bmp(4, 4, 32, px32)
    s["rgb32_bitfields"] = bmp(4, 4, 32, px32, compression=3, masks=(0x00FF0000, 0x0000FF00, 0x000000FF))
    s["argb32_v4_alpha"] = bmp(4, 4, 32, px32, compression=3, header=108,
                               masks=(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000))
    # Other headers: version 5, OS/2 1.x (3-byte palette), OS/2 2.x.
    s["rgb24_v5"] = bmp(5, 3, 24, px24, header=124)
    s["os2_core_pal8"] = bmp(3, 2, 8, rows_padded([[0, 1, 2], [2, 1, 0]]),
                             palette=[(255, 0, 0), (0, 255, 0), (0, 0, 255)] + [(0, 0, 0)] * 253, header=12)
    s["os2_core_rgb24"] = bmp(2, 2, 24, rows_padded([[1, 2, 3, 4, 5, 6], [7, 8, 9, 10, 11, 12]]), header=12)
    s["os2_v2_pal4"] = bmp(4, 2, 4, rows_padded([[0x01, 0x23], [0x45, 0x67]]), palette=GREYS16, header=64)
    # RLE8: runs, a literal, end of line, a jump, end of bitmap.
    rle8 = bytes([3, 200, 2, 10, 0, 0,
                  0, 4, 1, 2, 3, 4, 0, 0,
                  0, 2, 1, 1, 2, 77, 0, 0,
                  5, 9, 0, 1])
    s["rle8_8x4"] = bmp(8, 4, 8, rle8, compression=1, palette=GREYS256)
    # RLE4: nibble runs, an odd literal (padded to 16 bits), end of bitmap.
    rle4 = bytes([6, 0x1F, 0, 0,
                  0, 5, 0x12, 0x34, 0x50, 0, 0, 0,
                  2, 0xAB, 0, 1])
    s["rle4_6x3"] = bmp(6, 3, 4, rle4, compression=2, palette=GREYS16)
    # A large RLE8 picture from very little data: the rest stays index 0.
    s["rle8_1000x300_sparse"] = bmp(1000, 300, 8, bytes([255, 7, 255, 8, 0, 0, 0, 2, 100, 150, 9, 1, 0, 1]),
                                    compression=1, palette=GREYS256[:16], colors_used=16)

    # Broken files.
    good = s["rgb24_5x3"]
    s["bad_empty"] = b""
    s["bad_magic_only"] = b"BM"
    s["bad_magic"] = b"BN" + good[2:]
    s["bad_truncated_data"] = good[:-7]
    s["bad_truncated_header"] = good[:30]
    s["bad_header_size_50"] = good[:14] + struct.pack("<I", 50) + good[18:]
    s["bad_planes_2"] = bmp(5, 3, 24, px24, planes=2)
    s["bad_bits_7"] = bmp(5, 3, 7, px24)
    s["bad_rle8_at_24_bits"] = bmp(5, 3, 24, px24, compression=1)
    s["bad_rle_topdown"] = bmp(8, -4, 8, rle8, compression=1, palette=GREYS256)
    s["bad_width_0"] = bmp(0, 3, 24, px24)
    s["bad_width_negative"] = bmp(-5, 3, 24, px24)
    s["bad_width_huge"] = bmp(30000, 1, 1, rows_padded([[0] * 3752]), palette=MONO)
    s["bad_dots_too_many"] = bmp(20000, 20000, 8, bytes([0, 1]), compression=1, palette=GREYS256[:2],
                                 colors_used=2)
    s["bad_colours_used_300"] = bmp(2, 2, 8, rows_padded([[0, 1], [1, 0]]), palette=GREYS256, colors_used=300)
    s["bad_offset_past_end"] = bmp(5, 3, 24, px24, offset=100000)
    s["bad_offset_in_header"] = bmp(5, 3, 24, px24, offset=20)
    # A whole picture, 3,654 bytes, whose header puts its dots a million bytes in.
    s["bad_offset_1000000"] = bmp(20, 60, 24, rows_padded(
        [[(x * 13 + y * 7) % 256 for x in range(60)] for y in range(60)]), offset=1000000)
    s["bad_palette_cut"] = bmp(2, 2, 8, rows_padded([[0, 1], [1, 0]]), palette=GREYS256)[:300]
    s["bad_rle8_literal_past_end"] = bmp(8, 4, 8, bytes([0, 40, 1, 2, 3]), compression=1, palette=GREYS256)
    s["bad_rle8_jump_past_bottom"] = bmp(8, 4, 8, bytes([0, 2, 200, 200, 4, 9, 0, 1]), compression=1,
                                         palette=GREYS256)
    s["bad_rle4_no_data"] = bmp(6, 3, 4, b"", compression=2, palette=GREYS16)
    s["bad_bitfields_zero_masks"] = bmp(3, 2, 16, px565, compression=3, masks=(0, 0, 0))
    return s


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in sorted(seeds().items()):
        with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
