#!/usr/bin/env python3
"""Checks the committed artwork in res/art/ for the format details that the
resource compiler and the Windows loaders depend on, and that it is what
make_artwork.py produces today.

Run: python3 -m unittest discover -s tools/artwork -p 'test_*.py'
"""

import os
import struct
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.normpath(os.path.join(HERE, '..', '..', 'res', 'art'))
sys.path.insert(0, HERE)

import make_artwork  # noqa: E402


def read(name):
    with open(os.path.join(ART, name), 'rb') as f:
        return f.read()


def parse_bih(data, offset=0):
    fields = struct.unpack_from('<IiiHHIIiiII', data, offset)
    keys = ('size', 'width', 'height', 'planes', 'bpp', 'compression', 'image_size',
            'xppm', 'yppm', 'clr_used', 'clr_important')
    return dict(zip(keys, fields))


def riff_chunks(data, start, end):
    """Yields (fourcc, list_type or None, payload_offset, size) for the
    chunks directly inside [start, end)."""
    pos = start
    while pos + 8 <= end:
        cid = data[pos:pos + 4]
        size = struct.unpack_from('<I', data, pos + 4)[0]
        if pos + 8 + size > end:
            raise ValueError('chunk %r at %d runs past its parent' % (cid, pos))
        if cid in (b'RIFF', b'LIST'):
            yield cid, data[pos + 8:pos + 12], pos + 12, size - 4
        else:
            yield cid, None, pos + 8, size
        pos += 8 + size + (size & 1)
    if pos != end:
        raise ValueError('chunks end at %d, parent at %d' % (pos, end))


def rle8_decode(data, width, height):
    """Rows (bottom-up) of palette indexes from BI_RLE8 data. Refuses delta
    skips and rows that do not cover the full width: every pixel must be
    written, so a frame never shows what the one before it left."""
    rows, row, i = [], [], 0
    while i + 1 < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            row += [value] * count
        elif value in (0, 1):
            if len(row) != width:
                raise ValueError('row %d has %d pixels' % (len(rows), len(row)))
            rows.append(row)
            row = []
            if value == 1:
                break
        elif value == 2:
            raise ValueError('delta skip')
        else:
            row += list(data[i:i + value])
            i += value + (value & 1)
    if len(rows) != height or i != len(data):
        raise ValueError('%d rows, %d of %d bytes used' % (len(rows), i, len(data)))
    return rows


def bmp_palette(data, offset, count):
    return [tuple(data[offset + 4 * k + c] for c in (2, 1, 0)) for k in range(count)]


class SideBitmapTest(unittest.TestCase):
    def test_header_and_size(self):
        data = read('side.bmp')
        magic, file_size, _, _, offset = struct.unpack_from('<2sIHHI', data)
        self.assertEqual(magic, b'BM')
        self.assertEqual(file_size, len(data))
        bih = parse_bih(data, 14)
        self.assertEqual(bih['size'], 40)
        self.assertEqual((bih['width'], bih['height']), (121, 262))  # positive: bottom-up
        self.assertEqual((bih['planes'], bih['bpp'], bih['compression']), (1, 8, 1))  # BI_RLE8
        self.assertEqual(bih['clr_used'], 256)
        self.assertEqual(offset, 54 + 256 * 4)
        self.assertEqual(len(data) - offset, bih['image_size'])
        self.assertEqual(len(rle8_decode(data[offset:], 121, 262)), 262)

    def pixels(self):
        data = read('side.bmp')
        palette = bmp_palette(data, 54, 256)
        rows = rle8_decode(data[54 + 256 * 4:], 121, 262)
        return lambda x, y: palette[rows[262 - 1 - y][x]]  # y counted from the top

    def test_looks_like_the_full_colour_drawing(self):
        # Fewer colours, same picture: no pixel strays far from the drawing.
        pixel = self.pixels()
        drawing = make_artwork.make_side()
        worst, total = 0, 0
        for y in range(262):
            for x in range(121):
                want = [int(round(make_artwork.clamp(v, 0, 255))) for v in drawing.rgb[y * 121 + x]]
                error = max(abs(a - b) for a, b in zip(pixel(x, y), want))
                worst, total = max(worst, error), total + error
        self.assertLessEqual(worst, 16)
        self.assertLess(total / (121 * 262), 1.0)

    def test_gradient_runs_light_to_dark_downwards(self):
        pixel = self.pixels()

        top, bottom = pixel(2, 2), pixel(2, 259)
        self.assertGreater(sum(top), sum(bottom))
        self.assertGreater(bottom[2], bottom[0])  # bluish


class IconTest(unittest.TestCase):
    def test_directory_and_images(self):
        # The uninstaller's icon has 16 colours only, to keep the program small.
        for name, images in (('kvsetup.ico', {(32, 32), (16, 32), (32, 8), (16, 8)}),
                             ('kvrem00.ico', {(32, 4), (16, 4)})):
            with self.subTest(name):
                self.assertEqual(self.icon_images(read(name)), images)

    def icon_images(self, data):
        reserved, kind, count = struct.unpack_from('<HHH', data)
        self.assertEqual((reserved, kind), (0, 1))
        seen = set()
        for i in range(count):
            w, h, colours, _, planes, bpp, size, offset = struct.unpack_from(
                '<BBBBHHII', data, 6 + 16 * i)
            self.assertEqual(w, h)
            self.assertIn(w, (16, 32))
            self.assertEqual(planes, 1)
            self.assertEqual(colours, 16 if bpp == 4 else 0)
            self.assertLessEqual(offset + size, len(data))
            bih = parse_bih(data, offset)
            self.assertEqual(bih['size'], 40)
            self.assertEqual((bih['width'], bih['height']), (w, 2 * w))
            self.assertEqual(bih['bpp'], bpp)
            self.assertEqual(bih['compression'], 0)
            palette = (1 << bpp) * 4 if bpp <= 8 else 0
            xor = ((w * bpp + 31) // 32) * 4 * w
            mask = ((w + 31) // 32) * 4 * w
            self.assertEqual(size, 40 + palette + xor + mask, 'image %d size' % i)
            # The mask must not be all transparent nor all opaque.
            mask_bytes = data[offset + 40 + palette + xor:offset + size]
            self.assertTrue(any(mask_bytes) and not all(b == 0xFF for b in mask_bytes))
            seen.add((w, bpp))
        return seen

    def test_32bpp_alpha_agrees_with_mask(self):
        data = read('kvsetup.ico')
        w, _, _, _, _, bpp, size, offset = struct.unpack_from('<BBBBHHII', data, 6)
        self.assertEqual((w, bpp), (32, 32))
        pixels = data[offset + 40:offset + 40 + 32 * 32 * 4]
        mask = data[offset + 40 + 32 * 32 * 4:offset + size]
        for row in range(32):
            for x in range(32):
                alpha = pixels[(row * 32 + x) * 4 + 3]
                transparent = mask[row * 4 + x // 8] & (0x80 >> (x % 8))
                if alpha == 0:
                    self.assertTrue(transparent, (x, row))
                if alpha >= 128:
                    self.assertFalse(transparent, (x, row))


class ClipTest(unittest.TestCase):
    def setUp(self):
        self.data = read('copy.avi')

    def structure(self):
        d = self.data
        (riff, kind, start, size), = list(riff_chunks(d, 0, len(d)))
        self.assertEqual((riff, kind), (b'RIFF', b'AVI '))
        top = list(riff_chunks(d, start, start + size))
        self.assertEqual([(c, k) for c, k, _, _ in top],
                         [(b'LIST', b'hdrl'), (b'LIST', b'movi'), (b'idx1', None)])
        return top

    def test_headers(self):
        top = self.structure()
        _, _, hs, hsize = top[0]
        hdrl = list(riff_chunks(self.data, hs, hs + hsize))
        self.assertEqual(hdrl[0][0], b'avih')
        avih = struct.unpack_from('<14I', self.data, hdrl[0][2])
        usec, _, _, flags, frames, _, streams, _, width, height = avih[:10]
        self.assertEqual(usec, 100000)
        self.assertTrue(flags & 0x10)  # has index
        self.assertEqual(streams, 1)
        self.assertEqual((width, height), (272, 40))
        self.assertTrue(8 <= frames <= 16)

        strls = [h for h in hdrl if h[1] == b'strl']
        self.assertEqual(len(strls), 1, 'exactly one stream: video, no audio')
        _, _, ss, ssize = strls[0]
        strl = list(riff_chunks(self.data, ss, ss + ssize))
        self.assertEqual([c for c, _, _, _ in strl], [b'strh', b'strf'])
        fcc_type, handler = struct.unpack_from('<4s4s', self.data, strl[0][2])
        self.assertEqual((fcc_type, handler), (b'vids', b'RLE '))
        length = struct.unpack_from('<I', self.data, strl[0][2] + 32)[0]
        self.assertEqual(length, frames)
        bih = parse_bih(self.data, strl[1][2])
        self.assertEqual((bih['width'], bih['height'], bih['bpp'], bih['compression']),
                         (272, 40, 8, 1))  # BI_RLE8
        self.assertEqual(strl[1][3], 40 + 4 * bih['clr_used'])

    def frames_and_palette(self):
        top = self.structure()
        _, _, ms, msize = top[1]
        movi = list(riff_chunks(self.data, ms, ms + msize))
        hs = top[0][2]
        strf_offset = self.data.index(b'strf', hs) + 8
        bih = parse_bih(self.data, strf_offset)
        palette = [tuple(self.data[strf_offset + 40 + 4 * i + k] for k in (2, 1, 0))
                   for i in range(bih['clr_used'])]
        return movi, palette, top

    def test_frames_and_index(self):
        movi, _, top = self.frames_and_palette()
        frames = struct.unpack_from('<14I', self.data, self.data.index(b'avih') + 8)[4]
        self.assertEqual(len(movi), frames)
        for cid, _, start, size in movi:
            self.assertEqual(cid, b'00db')
            self.assertEqual(len(rle8_decode(self.data[start:start + size], 272, 40)), 40)
        _, _, idx_start, idx_size = top[2]
        self.assertEqual(idx_size, 16 * frames)
        movi_fourcc = top[1][2] - 4
        for i in range(frames):
            ckid, flags, offset, size = struct.unpack_from('<4sIII', self.data, idx_start + 16 * i)
            self.assertEqual((ckid, size), (b'00db', movi[i][3]))
            self.assertTrue(flags & 0x10)  # key frame
            self.assertEqual(self.data[movi_fourcc + offset:movi_fourcc + offset + 4], b'00db')
            self.assertEqual(movi_fourcc + offset + 8, movi[i][2])

    def test_key_colour_is_background_and_unique(self):
        movi, palette, _ = self.frames_and_palette()
        self.assertEqual(palette[0], make_artwork.KEY_COLOUR)
        for colour in palette[1:]:
            # 16-bit displays keep 5 bits of red and blue: nothing may round
            # to the key colour.
            self.assertTrue(any(abs(a - b) >= 8 for a, b in zip(colour, palette[0])), colour)
        for _, _, start, size in movi:
            rows = rle8_decode(self.data[start:start + size], 272, 40)
            self.assertEqual(rows[39][0], 0)  # bottom-up: the last row is the top

    def test_consecutive_frames_differ(self):
        movi, _, _ = self.frames_and_palette()
        bodies = [self.data[s:s + n] for _, _, s, n in movi]
        for a, b in zip(bodies, bodies[1:] + bodies[:1]):
            self.assertNotEqual(a, b)


class RegenerationTest(unittest.TestCase):
    def test_committed_files_match_the_script(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(make_artwork.main(['make_artwork.py', tmp]), 0)
            for name in ('side.bmp', 'kvsetup.ico', 'kvrem00.ico', 'copy.avi'):
                with open(os.path.join(tmp, name), 'rb') as f:
                    self.assertEqual(f.read(), read(name), name + ' is stale')


if __name__ == '__main__':
    unittest.main()
