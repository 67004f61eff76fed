#!/usr/bin/env python3
"""Writes the seeds of the bitmap fuzz target for the other picture readers into
fuzz/corpus_bitmap/ (files named pic_*): small PNG files (truecolour, with alpha, a palette
with transparency, 16-bit grey, interlaced), GIF files (with a transparent index), two JPEG
files (baseline and progressive, stored below as they were written once by an image tool),
SVG drawings (shapes, a gradient, text, embedded data) and broken ones of each kind
(truncated, huge or zero sides, external references, scripts). Deterministic: running it
again writes the same files. Usage: fuzz/make_picture_seeds.py"""

import base64
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus_bitmap")

JPEG_BASELINE = base64.b64decode("/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4pLSwzOko+MzZGNywtQFdBRkxOUlNSMj5aYVpQYEpRUk//2wBDAQ4ODhMREyYVFSZPNS01T09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT0//wAARCAAIABADASIAAhEBAxEB/8QAFQABAQAAAAAAAAAAAAAAAAAAAAb/xAAWEAEBAQAAAAAAAAAAAAAAAAAAFGH/xAAVAQEBAAAAAAAAAAAAAAAAAAAEBv/EABcRAAMBAAAAAAAAAAAAAAAAAAAEFVL/2gAMAwEAAhEDEQA/AJGzSzQVsZTIys1o/9k=")
JPEG_PROGRESSIVE = base64.b64decode("/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4pLSwzOko+MzZGNywtQFdBRkxOUlNSMj5aYVpQYEpRUk//wgALCAAIABABAREA/8QAFAABAAAAAAAAAAAAAAAAAAAAAP/aAAgBAQAAAAE//8QAFRABAQAAAAAAAAAAAAAAAAAAABX/2gAIAQEAAQUCnp7/xAAVEAEBAAAAAAAAAAAAAAAAAAAAMf/aAAgBAQAGPwKI/8QAFBABAAAAAAAAAAAAAAAAAAAAEP/aAAgBAQABPyE//9oACAEBAAAAED//xAAWEAADAAAAAAAAAAAAAAAAAAAAEfD/2gAIAQEAAT8QhEI//9k=")


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def filtered(rows, bpp):
    """Each row with a filter byte, the filters 0 to 4 in turn, as encoders choose them."""
    out, prior = b"", bytes(len(rows[0]))
    for y, row in enumerate(rows):
        f = y % 5
        line = bytearray()
        for i, x in enumerate(row):
            a = row[i - bpp] if i >= bpp else 0
            b = prior[i]
            c = prior[i - bpp] if i >= bpp else 0
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            paeth = a if pa <= pb and pa <= pc else b if pb <= pc else c
            line.append((x - [0, a, b, (a + b) // 2, paeth][f]) & 0xFF)
        out += bytes([f]) + bytes(line)
        prior = row
    return out


def png(width, height, colour_type, depth, rows, palette=None, trns=None, interlace=0, filters_bpp=0):
    """`rows`: the raw bytes of each row without the filter byte (filter 0 is written, or
    the five filters in turn with `filters_bpp` bytes per dot, the pixel data then split
    into IDAT chunks of 40 bytes)."""
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace))
    if palette:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    if filters_bpp:
        data = zlib.compress(filtered(rows, filters_bpp))
        out += b"".join(chunk(b"IDAT", data[i:i + 40]) for i in range(0, len(data), 40))
    else:
        out += chunk(b"IDAT", zlib.compress(b"".join(b"\0" + r for r in rows)))
    return out + chunk(b"IEND", b"")


def gif(width, height, palette, indices, transparent=None):
    """Plain 9-bit LZW codes with a clear code every 250 dots, so the code size never grows."""
    table = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    out = b"GIF89a" + struct.pack("<HH", width, height) + b"\xf7\x00\x00"
    out += b"".join(bytes(c) for c in table)
    if transparent is not None:
        out += b"\x21\xf9\x04\x01\x00\x00" + bytes([transparent]) + b"\x00"
    out += b"," + struct.pack("<HHHH", 0, 0, width, height) + b"\x00\x08"
    bits, count, data = 0, 0, bytearray()

    def code(c):
        nonlocal bits, count
        bits |= c << count
        count += 9
        while count >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            count -= 8

    for i, v in enumerate(indices):
        if i % 250 == 0:
            code(256)
        code(v)
    code(257)
    if count:
        data.append(bits & 0xFF)
    for i in range(0, len(data), 255):
        block = bytes(data[i:i + 255])
        out += bytes([len(block)]) + block
    return out + b"\x00;"


def svg(attrs, body):
    return ('<?xml version="1.0"?>\n<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:xlink="http://www.w3.org/1999/xlink" %s>%s</svg>\n' % (attrs, body)).encode()


def seeds():
    rgb = [bytes(sum(([x * 20, y * 40, (x + y) * 10] for x in range(12)), [])) for y in range(6)]
    rgba = [bytes(sum(([x * 20, y * 40, 90, 0 if x < 4 else 128 if x < 8 else 255] for x in range(12)), []))
            for y in range(6)]
    grey16 = [b"".join(struct.pack(">H", (x * 4000 + y * 300) & 0xFFFF) for x in range(9)) for y in range(5)]
    pal = [(0, 0, 0), (255, 255, 255), (200, 30, 30), (30, 30, 200)]
    pal_rows = [bytes((x + y) % 4 for x in range(10)) for y in range(7)]
    s = {
        "pic_png_rgb_12x6.png": png(12, 6, 2, 8, rgb),
        "pic_png_rgba_12x6.png": png(12, 6, 6, 8, rgba),
        "pic_png_rgb_filters_12x6.png": png(12, 6, 2, 8, rgb, filters_bpp=3),
        "pic_png_rgba_filters_12x6.png": png(12, 6, 6, 8, rgba, filters_bpp=4),
        "pic_png_palette_trns.png": png(10, 7, 3, 8, pal_rows, palette=pal, trns=b"\x00\x80"),
        "pic_png_grey16.png": png(9, 5, 0, 16, grey16),
        "pic_png_interlaced_1x1.png": png(1, 1, 0, 8, [b"\x80"], interlace=1),
        "pic_gif_transparent.gif": gif(10, 7, pal, [(x + y) % 4 for y in range(7) for x in range(10)], transparent=0),
        "pic_gif_300x2.gif": gif(300, 2, pal, [x % 4 for x in range(600)]),
        "pic_jpeg_baseline.jpg": JPEG_BASELINE,
        "pic_jpeg_progressive.jpg": JPEG_PROGRESSIVE,
        "pic_svg_shapes.svg": svg('viewBox="0 0 100 50"', '<rect width="50" height="50"/>'
                                  '<circle cx="75" cy="25" r="20" fill="#808080" fill-opacity="0.5"/>'),
        "pic_svg_gradient.svg": svg('width="40" height="40"',
                                    '<defs><linearGradient id="g"><stop offset="0" stop-color="#000"/>'
                                    '<stop offset="1" stop-color="#fff"/></linearGradient></defs>'
                                    '<rect width="40" height="40" style="fill:url(#g)"/>'),
        "pic_svg_text.svg": svg('viewBox="0 0 60 20"', '<text x="2" y="16" font-size="14">VX</text>'),
        # Text in a drawing of no stated size: the first input to reach the font library's
        # one-time set-up, which the leak check must not take for a leak.
        "pic_svg_text_no_size.svg": svg('', '<text x="2" y="16">VX</text>'),
        "pic_svg_embedded_png.svg": svg('width="10" height="10"', '<image width="10" height="10" xlink:href="data:image/png;base64,%s"/>'
                                        % base64.b64encode(png(2, 2, 0, 8, [b"\x00\xff", b"\xff\x00"])).decode()),
        "pic_bad_png_truncated.png": png(12, 6, 2, 8, rgb)[:-30],
        "pic_bad_png_huge.png": png(90000, 90000, 0, 8, [b"\x00"]),
        "pic_bad_png_zero.png": png(0, 1, 0, 8, [b"\x00"]),
        "pic_bad_gif_truncated.gif": gif(10, 7, pal, [1] * 70)[:-12],
        "pic_bad_jpeg_truncated.jpg": JPEG_BASELINE[:200],
        "pic_bad_svg_image_file.svg": svg('width="9" height="9"', '<image xlink:href="/etc/hostname" width="9" height="9"/>'),
        "pic_bad_svg_script.svg": svg('width="9" height="9" onload="x()"', '<script>x()</script>'),
        "pic_bad_svg_entity.svg": b'<?xml version="1.0"?><!DOCTYPE svg [<!ENTITY e SYSTEM "file:///etc/passwd">]>' +
                                  svg('width="9" height="9"', '<text>&e;</text>')[22:],
        "pic_bad_svg_zero.svg": svg('viewBox="0 0 0 0"', '<rect width="5" height="5"/>'),
        "pic_bad_svg_unclosed.svg": svg('width="9" height="9"', '<rect')[:-8],
    }
    return s


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in sorted(seeds().items()):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
