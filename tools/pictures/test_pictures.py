#!/usr/bin/env python3
"""The BMP-to-PNG conversion keeps every pixel, and the PNG check refuses
damaged files. Run: python3 -m unittest discover -s tools/pictures -p 'test_*.py'
"""
import os
import struct
import tempfile
import unittest
import zlib

import pictures


def bmp(width, height, pixel, bits=24, top_down=False):
    """A BMP whose pixel (x, y) is pixel(x, y) as (r, g, b); rows padded to 4 bytes."""
    step = bits // 8
    stride = (width * step + 3) & ~3
    image = bytearray()
    order = range(height) if top_down else range(height - 1, -1, -1)
    for y in order:
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r)) + (b"\0" if step == 4 else b"")
        image += row.ljust(stride, b"\0")
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(image), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(image), 0, 0, 54) + info + bytes(image)


def gradient(x, y):
    return (x * 40 % 256, y * 70 % 256, (x + y) * 13 % 256)


class ConversionTest(unittest.TestCase):
    def test_every_pixel_survives_in_every_bmp_layout(self):
        for width, height, bits, top_down in ((1, 1, 24, False), (5, 3, 24, False), (7, 4, 32, False), (3, 6, 24, True)):
            with self.subTest(width=width, height=height, bits=bits, top_down=top_down):
                w, h, rows = pictures.decode_png(pictures.encode_png(*pictures.read_bmp(bmp(width, height, gradient, bits, top_down))))
                self.assertEqual((w, h), (width, height))
                expected = [bytes(c for x in range(width) for c in gradient(x, y)) for y in range(height)]
                self.assertEqual(rows, expected)

    def test_thumbnail_takes_every_fourth_pixel(self):
        rows = [bytes(sum(([x, y, 0] for x in range(8)), [])) for y in range(8)]
        self.assertEqual(pictures.shrink(8, 8, rows, 4), (2, 2, [bytes([0, 0, 0, 4, 0, 0]), bytes([0, 4, 0, 4, 4, 0])]))

    def test_files_through_the_command(self):
        with tempfile.TemporaryDirectory() as folder:
            source, target = os.path.join(folder, "a.bmp"), os.path.join(folder, "a.png")
            with open(source, "wb") as f:
                f.write(bmp(4, 4, gradient))
            self.assertEqual(pictures.main(["pictures.py", "convert", source, target]), 0)
            self.assertEqual(pictures.main(["pictures.py", "check", target]), 0)
            self.assertEqual(pictures.main(["pictures.py", "convert", target, source + "x"]), 1)  # a PNG is no BMP
            self.assertEqual(pictures.main(["pictures.py", "check", source]), 1)  # nor a BMP a PNG

    def test_damaged_files_are_refused(self):
        good = pictures.encode_png(*pictures.read_bmp(bmp(3, 2, gradient)))
        flipped = bytearray(good)
        flipped[40] ^= 0xFF  # inside IDAT: its checksum no longer matches
        inflated = zlib.compress(b"\x07" + bytes(9) + b"\0" * 20)
        unknown_filter = pictures.SIGNATURE + pictures.chunk(b"IHDR", struct.pack(">IIBBBBB", 3, 2, 8, 2, 0, 0, 0)) \
            + pictures.chunk(b"IDAT", inflated) + pictures.chunk(b"IEND", b"")
        for name, data in (("cut", good[:-20]), ("checksum", bytes(flipped)), ("signature", b"GIF89a" + good[6:]),
                           ("filter", unknown_filter), ("truncated bmp", bmp(4, 4, gradient)[:80])):
            with self.subTest(name=name):
                with self.assertRaises(pictures.PictureError):
                    if name == "truncated bmp":
                        pictures.read_bmp(data)
                    else:
                        pictures.decode_png(data)


if __name__ == "__main__":
    unittest.main()
