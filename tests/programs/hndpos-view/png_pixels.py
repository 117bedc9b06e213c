#!/usr/bin/env python3
"""Checks the colours of display pixels in a PNG screenshot of the dial.

png_pixels.py FILE ORIGIN_X ORIGIN_Y SCALE X,Y=#rrggbb ...

Reads 8-bit RGB or RGBA PNGs (what a browser writes) with zlib alone.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, "unsupported PNG"
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, channels, rows


def main():
    path, origin_x, origin_y, scale = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    width, height, channels, rows = read_png(path)
    failures = 0
    for check in sys.argv[5:]:
        where, colour = check.split("=")
        x, y = (int(v) for v in where.split(","))
        px, py = (x - origin_x) * scale + scale // 2, (y - origin_y) * scale + scale // 2
        got = tuple(rows[py][px * channels:px * channels + 3])
        want = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))
        if max(abs(a - b) for a, b in zip(got, want)) > 12:
            print("display pixel %d,%d: colour #%02x%02x%02x, expected %s" % (x, y, *got, colour))
            failures += 1
    print("%d pixels checked in a %dx%d picture, %d wrong" % (len(sys.argv) - 5, width, height, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
