"""24-bit BMP in, PNG out, with nothing but the standard library: the
gallery's pictures and their thumbnails."""

import struct
import zlib


def read_bmp(path):
    """Returns (width, height, rows) with rows top-down as RGB bytes."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:2] != b'BM':
        raise ValueError('%s is no BMP file' % path)
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height, _planes, bits = struct.unpack_from('<iiHH', data, 18)
    if bits != 24:
        raise ValueError('%s: %d bits per pixel, expected 24' % (path, bits))
    top_down = height < 0
    height = abs(height)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + y * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3] = bgr[2::3]
        rgb[1::3] = bgr[1::3]
        rgb[2::3] = bgr[0::3]
        rows.append(bytes(rgb))
    if not top_down:
        rows.reverse()
    return width, height, rows


def shrink(width, height, rows, factor):
    """Every `factor`-th pixel of every `factor`-th row."""
    out = []
    for row in rows[::factor]:
        pixels = bytearray()
        for x in range(0, width, factor):
            pixels += row[x * 3:x * 3 + 3]
        out.append(bytes(pixels))
    return len(out[0]) // 3 if out else 0, len(out), out


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body
                + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b''.join(b'\0' + row for row in rows)  # filter type 0 on every row
    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(raw, 6))
           + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)
