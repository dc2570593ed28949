#!/usr/bin/env python3
"""Screen pictures: turns the BMP files the test programs save into PNG files
and checks that a PNG file decodes. Standard library only, so the pictures
need no image program on the machine.

  pictures.py convert FILE.bmp FILE.png   write the PNG (exit 1 if the BMP is unreadable)
  pictures.py check FILE.png...           exit 1 unless every file is a PNG that decodes
"""
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}  # samples per pixel by PNG colour type


class PictureError(Exception):
    pass


def read_bmp(data):
    """(width, height, rows of RGB bytes, top row first) of a 24- or 32-bit BMP."""
    if len(data) < 54 or data[:2] != b"BM":
        raise PictureError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression not in (0, 3) or width <= 0 or height == 0:
        raise PictureError(f"unsupported BMP ({bits} bits, compression {compression})")
    top_down = height < 0
    height = abs(height)
    step = bits // 8
    stride = (width * step + 3) & ~3
    if offset + stride * height > len(data):
        raise PictureError("the BMP is cut short")
    rows = []
    for y in range(height):
        at = offset + (y if top_down else height - 1 - y) * stride
        line = data[at : at + width * step]
        rgb = bytearray(3 * width)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::step], line[1::step], line[0::step]
        rows.append(bytes(rgb))
    return width, height, rows


def chunk(name, body):
    return struct.pack(">I", len(body)) + name + body + struct.pack(">I", zlib.crc32(name + body))


def encode_png(width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)  # filter "none": flat screens pack well anyway
    return SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def unfilter(data, height, stride, step):
    prior = bytearray(stride)
    out = []
    for y in range(height):
        at = y * (stride + 1)
        if at + 1 + stride > len(data):
            raise PictureError("the PNG's image data is cut short")
        kind, row = data[at], bytearray(data[at + 1 : at + 1 + stride])
        if kind == 2 and not any(row):
            row = bytearray(prior)
        for i in range(stride if kind else 0):
            a = row[i - step] if i >= step else 0
            b = prior[i]
            c = prior[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 2:
                row[i] = (row[i] + b) & 255
            elif kind == 3:
                row[i] = (row[i] + ((a + b) >> 1)) & 255
            elif kind == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - c - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            elif kind != 0:
                raise PictureError(f"unknown PNG filter {kind}")
        out.append(bytes(row))
        prior = row
    return out


def decode_png(data):
    """(width, height, rows) of a non-interlaced 8-bit PNG; raises PictureError otherwise."""
    if data[:8] != SIGNATURE:
        raise PictureError("no PNG signature")
    at, packed, header = 8, [], None
    while True:
        if at + 8 > len(data):
            raise PictureError("the PNG ends before IEND")
        size, name = struct.unpack_from(">I4s", data, at)
        body = data[at + 8 : at + 8 + size]
        if len(body) != size or at + 12 + size > len(data):
            raise PictureError(f"chunk {name!r} is cut short")
        if struct.unpack_from(">I", data, at + 8 + size)[0] != zlib.crc32(name + body):
            raise PictureError(f"chunk {name!r} has a bad checksum")
        at += size + 12
        if name == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif name == b"IDAT":
            packed.append(body)
        elif name == b"IEND":
            break
    if header is None:
        raise PictureError("no IHDR chunk")
    width, height, depth, kind, _, _, interlaced = header
    if depth != 8 or kind not in CHANNELS or interlaced:
        raise PictureError(f"unsupported PNG (depth {depth}, colour type {kind}, interlace {interlaced})")
    try:
        data = zlib.decompress(b"".join(packed))
    except zlib.error as e:
        raise PictureError(f"the PNG's image data does not inflate: {e}") from e
    step = CHANNELS[kind]
    return width, height, unfilter(data, height, width * step, step)


def shrink(width, height, rows, factor):
    """A thumbnail: every factor-th pixel of every factor-th row."""
    out = [b"".join(row[x * 3 : x * 3 + 3] for x in range(0, width, factor)) for row in rows[::factor]]
    return (len(out[0]) // 3 if out else 0), len(out), out


def write_png(path, width, height, rows):
    with open(path, "wb") as f:
        f.write(encode_png(width, height, rows))


def convert(bmp_path, png_path):
    with open(bmp_path, "rb") as f:
        write_png(png_path, *read_bmp(f.read()))


def check(png_path):
    with open(png_path, "rb") as f:
        decode_png(f.read())


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "convert":
            convert(argv[2], argv[3])
        elif len(argv) >= 3 and argv[1] == "check":
            for path in argv[2:]:
                check(path)
        else:
            print(__doc__.strip(), file=sys.stderr)
            return 2
    except (OSError, PictureError) as e:
        print(f"pictures: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
