#!/usr/bin/env python3
"""Converts bitmaps of 24 bits per pixel to PNG pictures: bmp-to-png.py FOLDER BITMAP...

FOLDER/NAME.png is written from each NAME.bmp, as RGB without alpha, so that no pixel of a
picture taken from the screen can come out transparent."""
import os
import struct
import sys
import zlib


def read_bitmap(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a bitmap file")
    (offset,) = struct.unpack_from("<I", data, 10)
    _, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: not an uncompressed bitmap of 24 bits per pixel")
    bottom_up = height > 0
    height = abs(height)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y if bottom_up else y) * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return width, height, rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png(path, width, height, rows):
    # each row with filter type 0: the flat colours of windows compress well without one
    pixels = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: bmp-to-png.py FOLDER BITMAP...")
    folder = sys.argv[1]
    for bitmap in sys.argv[2:]:
        name = os.path.splitext(os.path.basename(bitmap))[0] + ".png"
        write_png(os.path.join(folder, name), *read_bitmap(bitmap))


if __name__ == "__main__":
    main()
