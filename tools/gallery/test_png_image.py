#!/usr/bin/env python3
"""The gallery's BMP reader and PNG writer: a picture written as a 24-bit BMP
the way the screenshot code writes it (bottom-up rows padded to four bytes)
comes out of the PNG, decoded here by hand, pixel for pixel.

Run: python3 -m unittest discover -s tools/gallery -p 'test_*.py'
"""

import os
import struct
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import png_image  # noqa: E402


def write_bmp(path, width, height, pixel):
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes([b, g, r])
        image += row + b'\0' * (stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 0, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + image)


def read_png(path):
    with open(path, 'rb') as f:
        data = f.read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    at, idat, size = 8, b'', None
    while at < len(data):
        length, kind = struct.unpack_from('>I4s', data, at)
        body = data[at + 8:at + 8 + length]
        crc = struct.unpack_from('>I', data, at + 8 + length)[0]
        assert crc == zlib.crc32(kind + body) & 0xFFFFFFFF, kind
        if kind == b'IHDR':
            size = struct.unpack('>II', body[:8])
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    width, height = size
    raw = zlib.decompress(idat)
    rows = [raw[y * (width * 3 + 1) + 1:(y + 1) * (width * 3 + 1)] for y in range(height)]
    return width, height, rows


class PngImageTest(unittest.TestCase):
    def test_bmp_to_png_keeps_every_pixel(self):
        def pixel(x, y):
            return (x * 40 % 256, y * 50 % 256, (x + y) * 30 % 256)
        with tempfile.TemporaryDirectory() as folder:
            for width, height in [(5, 3), (8, 8), (1, 1)]:  # with and without row padding
                bmp, png = os.path.join(folder, 'a.bmp'), os.path.join(folder, 'a.png')
                write_bmp(bmp, width, height, pixel)
                png_image.write_png(png, *png_image.read_bmp(bmp))
                w, h, rows = read_png(png)
                self.assertEqual((w, h), (width, height))
                for y in range(height):
                    self.assertEqual(rows[y], b''.join(bytes(pixel(x, y)) for x in range(width)), (width, y))

    def test_thumbnail_takes_every_fourth_pixel(self):
        rows = [bytes(sum(([x, y, 0] for x in range(8)), [])) for y in range(8)]
        w, h, small = png_image.shrink(8, 8, rows, 4)
        self.assertEqual((w, h), (2, 2))
        self.assertEqual(small[1], bytes([0, 4, 0, 4, 4, 0]))


if __name__ == '__main__':
    unittest.main()
