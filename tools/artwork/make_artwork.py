#!/usr/bin/env python3
"""Draws the setup engine's artwork and writes it to res/art/.

Outputs (all made from scratch here, standard library only):
  side.bmp     121 x 262, 8 bpp bottom-up BMP, run-length encoded (BI_RLE8),
               with a 256-colour palette: a wheel mouse with its cable on a
               soft blue vertical gradient. Drawn in full colour, then each
               pixel takes its nearest palette colour (no dithering, so the
               gradient's rows stay single runs).
  kvsetup.ico  the same mouse as an icon: 32x32 and 16x16, each once as
               32 bpp BGRA and once as 8 bpp with palette, both with AND mask.
  kvrem00.ico  the uninstaller's icon: the same mouse, 32x32 and 16x16, each
               only as 4 bpp with a 16-colour palette, with AND mask.
  copy.avi     8 bpp run-length encoded ('RLE ', BI_RLE8) clip of 12 frames,
               272 x 40, 10 fps: sheets of paper flying from one folder into
               another. Every frame is complete (no skips), so each is a key
               frame and decodes to the same pixels as uncompressed.
               The top-left pixel of every frame has the key colour, which the
               animation control treats as transparent (ACS_TRANSPARENT).

Usage: make_artwork.py [output folder]   (default: <repo>/res/art)
The output is deterministic, so re-running it gives byte-identical files.
"""

import math
import os
import struct
import sys

# --------------------------------------------------------------------------
# Raster canvas with supersampled shape filling
# --------------------------------------------------------------------------


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


class Canvas:
    """RGBA image with straight (non-premultiplied) alpha, colours 0..255."""

    def __init__(self, width, height, background=(0, 0, 0, 0.0)):
        self.width = width
        self.height = height
        r, g, b, a = background
        self.rgb = [[float(r), float(g), float(b)] for _ in range(width * height)]
        self.alpha = [float(a)] * (width * height)

    def blend(self, x, y, colour, coverage):
        """Composites `colour` with the given coverage over pixel (x, y)."""
        if coverage <= 0.0:
            return
        i = y * self.width + x
        da = self.alpha[i]
        out_a = coverage + da * (1.0 - coverage)
        dst = self.rgb[i]
        if out_a <= 0.0:
            return
        keep = da * (1.0 - coverage)
        for k in range(3):
            dst[k] = (colour[k] * coverage + dst[k] * keep) / out_a
        self.alpha[i] = out_a

    def fill(self, inside, colour, bbox=None, samples=4, opacity=1.0):
        """Fills the region where inside(x, y) is true.

        `colour` is an (r, g, b) tuple or a function (x, y) -> (r, g, b)
        evaluated at the pixel centre. `bbox` = (x0, y0, x1, y1) limits the
        work to a box in pixel coordinates.
        """
        if bbox is None:
            bbox = (0, 0, self.width, self.height)
        x0 = max(0, int(math.floor(bbox[0])))
        y0 = max(0, int(math.floor(bbox[1])))
        x1 = min(self.width, int(math.ceil(bbox[2])) + 1)
        y1 = min(self.height, int(math.ceil(bbox[3])) + 1)
        offsets = [(k + 0.5) / samples for k in range(samples)]
        total = float(samples * samples)
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside(x + ox, y + oy):
                            hits += 1
                if hits:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, opacity * hits / total)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / length2)
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def stroke_once(canvas, points, width, colour, samples=4, opacity=1.0):
    """Draws a polyline of the given width with round joins as one region,
    so that the joints are not covered twice."""
    half = width / 2.0
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    box = (min(xs) - half - 1, min(ys) - half - 1, max(xs) + half + 1, max(ys) + half + 1)
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        for (ax, ay), (bx, by) in segments:
            if (min(ax, bx) - half <= x <= max(ax, bx) + half
                    and min(ay, by) - half <= y <= max(ay, by) + half
                    and segment_distance(x, y, ax, ay, bx, by) <= half):
                return True
        return False

    canvas.fill(inside, colour, box, samples, opacity)


def bezier(p0, p1, p2, p3, steps):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1.0 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = clamp(x, x0 + radius, x1 - radius)
        cy = clamp(y, y0 + radius, y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


# --------------------------------------------------------------------------
# The wheel mouse, seen from above
# --------------------------------------------------------------------------


class MouseShape:
    """Body outline: a superellipse that widens slightly towards the palm."""

    EXPONENT = 2.4

    def __init__(self, cx, cy, half_width, half_height):
        self.cx = cx
        self.cy = cy
        self.hw = half_width
        self.hh = half_height

    def level(self, x, y, grow=0.0):
        """0 at the centre, 1 on the outline; `grow` widens it by pixels."""
        v = (y - self.cy) / (self.hh + grow)
        a = self.hw * (0.90 + 0.10 * clamp(v, -1.0, 1.0)) + grow
        return (abs(x - self.cx) / a) ** self.EXPONENT + abs(v) ** self.EXPONENT

    def inside(self, grow=0.0):
        return lambda x, y: self.level(x, y, grow) <= 1.0

    def bbox(self, grow=0.0):
        return (self.cx - self.hw - grow - 1, self.cy - self.hh - grow - 1,
                self.cx + self.hw + grow + 1, self.cy + self.hh + grow + 1)

    @property
    def top(self):
        return self.cy - self.hh


BODY_LIGHT = (246, 248, 252)
BODY_DARK = (168, 180, 202)
OUTLINE = (52, 62, 86)
SEAM = (122, 134, 158)
WHEEL_DARK = (44, 50, 66)
WHEEL_LIGHT = (128, 138, 160)
ACCENT = (36, 104, 196)
CABLE = (70, 80, 102)


def draw_mouse(canvas, shape, outline_px, detail, samples=4):
    """Draws the mouse body with buttons, wheel and a small accent mark.

    `detail` is a scale factor (1.0 for the large side picture) used to size
    the seams and the wheel so that small icons stay legible.
    """
    cx = shape.cx
    top = shape.top
    hh = shape.hh

    # Outline: the body grown by outline_px in a dark colour underneath.
    if outline_px > 0:
        canvas.fill(shape.inside(outline_px), OUTLINE, shape.bbox(outline_px), samples)

    highlight_x = cx - shape.hw * 0.35
    highlight_y = top + hh * 0.55

    def body_colour(x, y):
        f = shape.level(x, y)
        shade = clamp(f * f * 0.9)
        c = mix(BODY_LIGHT, BODY_DARK, shade)
        d2 = ((x - highlight_x) / (shape.hw * 0.55)) ** 2 + ((y - highlight_y) / (hh * 0.45)) ** 2
        return mix(c, (255, 255, 255), 0.55 * math.exp(-d2 * 1.6))

    canvas.fill(shape.inside(), body_colour, shape.bbox(), samples)

    # Seam between the buttons and the palm: a gentle downward curve.
    split_y = top + hh * 0.80
    seam_w = max(0.9, 1.3 * detail)
    body = shape.inside(-0.2)
    span = shape.hw * 1.1
    curve = [(cx + span * (i / 10.0 - 0.5) * 2.0,
              split_y + hh * 0.06 * (1.0 - ((i / 10.0 - 0.5) * 2.0) ** 2))
             for i in range(11)]
    seam_inside_curve = _polyline_region(curve, seam_w / 2.0)
    canvas.fill(lambda x, y: body(x, y) and seam_inside_curve(x, y), SEAM,
                (cx - span - 1, split_y - 2, cx + span + 1, split_y + hh * 0.08 + 2), samples)

    # Seam between the two buttons, interrupted by the wheel well.
    centre_seam = _polyline_region([(cx, top), (cx, split_y + hh * 0.06)], seam_w / 2.0)
    canvas.fill(lambda x, y: body(x, y) and centre_seam(x, y), SEAM,
                (cx - 2, top - 1, cx + 2, split_y + hh * 0.1), samples)

    # Wheel well and wheel.
    well_hw = max(2.2, 6.5 * detail)
    wheel_hw = max(1.4, 4.3 * detail)
    well_top = top + hh * 0.22
    well_bottom = top + hh * 0.62
    canvas.fill(rounded_rect(cx - well_hw, well_top, cx + well_hw, well_bottom, well_hw * 0.9),
                (110, 122, 146), (cx - well_hw, well_top, cx + well_hw, well_bottom), samples)
    inset = (well_hw - wheel_hw) * 0.8
    w_top = well_top + inset
    w_bottom = well_bottom - inset
    w_mid = (w_top + w_bottom) / 2.0
    w_half = (w_bottom - w_top) / 2.0

    def wheel_colour(x, y):
        # Lit from the top-left; ridges every few pixels make it read as a wheel.
        t = clamp(1.0 - abs(y - w_mid) / w_half)
        c = mix(WHEEL_DARK, WHEEL_LIGHT, 0.25 + 0.55 * t)
        if detail >= 0.6:
            ridge = (y - w_top) / max(2.0, 3.2 * detail)
            if ridge - math.floor(ridge) < 0.35:
                c = mix(c, WHEEL_DARK, 0.6)
        return c

    canvas.fill(rounded_rect(cx - wheel_hw, w_top, cx + wheel_hw, w_bottom, wheel_hw * 0.9),
                wheel_colour, (cx - wheel_hw, w_top, cx + wheel_hw, w_bottom), samples)

    # Accent mark on the palm: a small blue rounded bar.
    if detail >= 0.3:
        acc_y = top + hh * 1.45
        acc_hw = shape.hw * 0.28
        acc_hh = max(0.9, 2.0 * detail)
        canvas.fill(rounded_rect(cx - acc_hw, acc_y - acc_hh, cx + acc_hw, acc_y + acc_hh, acc_hh),
                    ACCENT, (cx - acc_hw, acc_y - acc_hh, cx + acc_hw, acc_y + acc_hh), samples)


def _polyline_region(points, half):
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        return any(segment_distance(x, y, ax, ay, bx, by) <= half
                   for (ax, ay), (bx, by) in segments)
    return inside


def draw_cable(canvas, points, width, samples=4):
    stroke_once(canvas, points, width + 1.2, OUTLINE, samples)
    stroke_once(canvas, points, width, CABLE, samples)
    shine = [(x - width * 0.18, y) for x, y in points]
    stroke_once(canvas, shine, max(0.6, width * 0.3), (150, 160, 182), samples, 0.8)


# --------------------------------------------------------------------------
# Side picture
# --------------------------------------------------------------------------

SIDE_W, SIDE_H = 121, 262


def make_side():
    top_colour = (226, 237, 251)
    bottom_colour = (92, 136, 200)
    c = Canvas(SIDE_W, SIDE_H, (0, 0, 0, 1.0))
    for y in range(SIDE_H):
        t = y / (SIDE_H - 1)
        row = mix(top_colour, bottom_colour, t * t * (3 - 2 * t))
        for x in range(SIDE_W):
            c.rgb[y * SIDE_W + x] = list(row)

    # Faint light circles for depth.
    for (ox, oy, r, op) in ((18, 40, 34, 0.16), (104, 92, 24, 0.12), (96, 236, 40, 0.10),
                            (10, 200, 18, 0.10)):
        c.fill(lambda x, y, ox=ox, oy=oy, r=r: (x - ox) ** 2 + (y - oy) ** 2 <= r * r,
               (255, 255, 255), (ox - r, oy - r, ox + r, oy + r), 2, op)

    shape = MouseShape(60.5, 162.0, 33.0, 58.0)

    # Cable from the front of the mouse up and out of the picture.
    cable = bezier((60.5, shape.top + 2), (60.5, 70), (98, 62), (84, 34), 24)
    cable += bezier((84, 34), (74, 14), (52, 12), (46, -4), 16)[1:]
    draw_cable(c, cable, 3.2)

    # Soft shadow below and to the right.
    shadow_shape = MouseShape(shape.cx + 5, shape.cy + 8, shape.hw + 2, shape.hh + 2)

    # Build the shadow in layers so it fades out towards the rim.
    for grow, op in ((6.0, 0.06), (4.0, 0.07), (2.0, 0.08), (0.0, 0.10)):
        c.fill(shadow_shape.inside(grow), (24, 44, 86), shadow_shape.bbox(grow), 2, op)

    draw_mouse(c, shape, 1.2, 1.0)

    # Scroll hint: small chevrons above and below, beside the mouse.
    for (ax, ay, d) in ((104, 120, -1), (104, 136, 1)):
        pts = [(ax - 5, ay - 3 * d), (ax, ay + 2 * d), (ax + 5, ay - 3 * d)]
        stroke_once(c, pts, 2.2, (255, 255, 255), 4, 0.85)
    return c


# --------------------------------------------------------------------------
# Icon
# --------------------------------------------------------------------------


def make_icon_image(size):
    c = Canvas(size, size)
    if size >= 32:
        shape = MouseShape(15.0, 18.6, 9.6, 12.6)
        cable = bezier((15.0, shape.top + 0.8), (15.0, 3.5), (22.0, 4.5), (23.5, 0.0), 12)
        draw_cable(c, cable, 1.6, 8)
        draw_mouse(c, shape, 1.1, 0.45, 8)
    else:
        shape = MouseShape(7.5, 9.3, 5.0, 6.2)
        cable = bezier((7.5, shape.top + 0.4), (7.5, 1.6), (11.0, 2.2), (12.0, 0.0), 8)
        stroke_once(c, cable, 1.3, OUTLINE, 8)
        draw_mouse(c, shape, 0.9, 0.22, 8)
    return c


# --------------------------------------------------------------------------
# Animation: sheets flying from folder to folder
# --------------------------------------------------------------------------

AVI_W, AVI_H = 272, 40
AVI_FRAMES = 12
AVI_FPS = 10
KEY_COLOUR = (192, 192, 192)

FOLDER_BACK = (214, 160, 40)
FOLDER_FRONT = (250, 206, 92)
FOLDER_EDGE = (120, 80, 16)
PAPER = (255, 255, 255)
PAPER_EDGE = (70, 80, 100)
PAPER_TEXT = (80, 120, 200)


FOLDER_W = 44
FOLDER_BOTTOM = 38


def _folder_local_x(x, x0, mirror):
    lx = x - x0
    return FOLDER_W - lx if mirror else lx


def draw_folder_back(canvas, x0, mirror):
    """Back panel, tab and resting sheets of an open folder standing on the
    bottom of the frame. The right-hand folder is the mirror image."""
    bottom = FOLDER_BOTTOM

    def back(x, y):
        lx = _folder_local_x(x, x0, mirror)
        body = 0 <= lx <= FOLDER_W and 12 <= y <= bottom
        tab = 2 <= lx <= 18 and 8 <= y <= 13
        return body or tab

    canvas.fill(lambda x, y: _grown(back, x, y, 1.0), FOLDER_EDGE,
                (x0 - 2, 6, x0 + FOLDER_W + 2, bottom + 1))
    canvas.fill(back, FOLDER_BACK, (x0 - 1, 6, x0 + FOLDER_W + 1, bottom + 1))

    for k, dy in enumerate((0, 2)):
        lx0 = 8 + k * 4

        def edge(x, y, lx0=lx0, dy=dy):
            lx = _folder_local_x(x, x0, mirror)
            return lx0 <= lx <= lx0 + 26 and 10 + dy <= y <= bottom

        def sheet(x, y, lx0=lx0, dy=dy):
            lx = _folder_local_x(x, x0, mirror)
            return lx0 + 1 <= lx <= lx0 + 25 and 11 + dy <= y <= bottom

        box = (x0 - 1, 9, x0 + FOLDER_W + 1, bottom)
        canvas.fill(edge, PAPER_EDGE, box)
        canvas.fill(sheet, PAPER if k else (232, 236, 244), box)


def draw_folder_front(canvas, x0, mirror):
    """Front flap of the folder, leaning forwards (a trapezoid)."""
    bottom = FOLDER_BOTTOM

    def front(x, y):
        if not (19 <= y <= bottom):
            return False
        t = (y - 19) / (bottom - 19)
        lean = 5 * (1 - t)
        lx = _folder_local_x(x, x0, mirror)
        return -lean <= lx <= FOLDER_W - 2 - lean * 0.2

    canvas.fill(lambda x, y: _grown(front, x, y, 1.0), FOLDER_EDGE,
                (x0 - 8, 17, x0 + FOLDER_W + 8, bottom + 1))
    canvas.fill(front, FOLDER_FRONT, (x0 - 7, 18, x0 + FOLDER_W + 7, bottom + 1))


def _grown(region, x, y, r):
    return (region(x, y) or region(x - r, y) or region(x + r, y)
            or region(x, y - r) or region(x, y + r))


def draw_flying_sheet(canvas, t):
    """A sheet at flight phase t in [0, 1): from the left folder to the right."""
    start_x, end_x = 28.0, AVI_W - 28.0
    cx = start_x + (end_x - start_x) * t
    cy = 27.0 - 18.0 * math.sin(math.pi * t)
    angle = 0.55 * math.sin(math.pi * t) + 0.25 * math.sin(2 * math.pi * t)
    # The sheet turns over once on its way: its apparent width follows a
    # (softened) cosine, edge-on half way.
    half_w = 7.0 * max(0.2, math.sqrt(abs(math.cos(math.pi * t))))
    half_h = 8.5
    ca, sa = math.cos(angle), math.sin(angle)

    def local(x, y):
        dx, dy = x - cx, y - cy
        return dx * ca + dy * sa, -dx * sa + dy * ca

    def edge(x, y):
        u, v = local(x, y)
        return abs(u) <= half_w + 1 and abs(v) <= half_h + 1

    def sheet(x, y):
        u, v = local(x, y)
        return abs(u) <= half_w and abs(v) <= half_h

    def sheet_colour(x, y):
        u, v = local(x, y)
        line = (v + half_h - 3.0) / 3.0
        if (u < half_w - 2 and u > -half_w + 2 and v > -half_h + 2 and v < half_h - 2
                and line - math.floor(line) < 0.34):
            return PAPER_TEXT
        return PAPER

    r = half_h + 2
    box = (cx - r, cy - r, cx + r, cy + r)
    canvas.fill(edge, PAPER_EDGE, box)
    canvas.fill(sheet, sheet_colour, box)


def make_avi_frames():
    """One sheet per loop leaves the left folder and drops into the right one.
    It is drawn between the folders' back and front panels, so it rises out
    of the first folder and sinks into the second."""
    frames = []
    left_x, right_x = 6, AVI_W - 6 - FOLDER_W
    for f in range(AVI_FRAMES):
        c = Canvas(AVI_W, AVI_H)
        draw_folder_back(c, left_x, False)
        draw_folder_back(c, right_x, True)
        draw_flying_sheet(c, f / AVI_FRAMES)
        draw_folder_front(c, left_x, False)
        draw_folder_front(c, right_x, True)
        frames.append(c)
    return frames


# --------------------------------------------------------------------------
# Palettes
# --------------------------------------------------------------------------


def opaque_colours(canvas, threshold=0.5):
    """Pixel colours (rounded) where alpha >= threshold, else None."""
    out = []
    for rgb, a in zip(canvas.rgb, canvas.alpha):
        if a >= threshold:
            out.append(tuple(int(round(clamp(v, 0, 255))) for v in rgb))
        else:
            out.append(None)
    return out


def median_cut(counts, n):
    """Reduces a {colour: count} histogram to at most n representative colours."""
    boxes = [list(counts.items())]
    while len(boxes) < n:
        # Split the box with the widest channel range (weighted by population).
        best, best_score, best_axis = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                vals = [c[axis] for c, _ in box]
                score = (max(vals) - min(vals)) * sum(k for _, k in box)
                if score > best_score:
                    best, best_score, best_axis = i, score, axis
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][best_axis])
        total = sum(k for _, k in box)
        acc, cut = 0, 1
        for j, (_, k) in enumerate(box):
            acc += k
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    palette = []
    for box in boxes:
        total = sum(k for _, k in box)
        palette.append(tuple(int(round(sum(c[a] * k for c, k in box) / total)) for a in range(3)))
    return palette


def nearest_index(palette, colour, cache, first=0):
    hit = cache.get(colour)
    if hit is not None:
        return hit
    best, best_d = first, None
    for i in range(first, len(palette)):
        p = palette[i]
        d = (p[0] - colour[0]) ** 2 + (p[1] - colour[1]) ** 2 + (p[2] - colour[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    cache[colour] = best
    return best


def far_from_key(colour, key, margin=12):
    """Moves a colour away from the key so it never turns transparent, even
    after a 16-bit display has rounded both."""
    if all(abs(a - b) < margin for a, b in zip(colour, key)):
        return tuple(int(clamp(a - margin if a >= b else a + margin, 0, 255))
                     for a, b in zip(colour, key))
    return colour


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------


def bitmapinfoheader(width, height, bpp, image_size, colours_used=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, image_size,
                       2835, 2835, colours_used, 0)


def rle8_rows(rows):
    """BI_RLE8 data for rows of palette indexes (bottom-up order): runs of
    two or more equal bytes as (count, index), stretches of three or more
    differing bytes as absolute blocks, every row closed by an end-of-line
    and the picture by an end-of-bitmap escape."""
    out = bytearray()
    for row in rows:
        i, n = 0, len(row)
        literal = bytearray()

        def flush():
            # Absolute blocks need at least three bytes; shorter ones go as runs of 1.
            while literal:
                part = literal[:255]
                del literal[:255]
                if len(part) >= 3:
                    out.extend((0, len(part)))
                    out.extend(part)
                    if len(part) % 2:
                        out.append(0)
                else:
                    for b in part:
                        out.extend((1, b))

        while i < n:
            j = i
            while j < n and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 2:
                flush()
                out.extend((j - i, row[i]))
            else:
                literal.append(row[i])
            i = j
        flush()
        out.extend((0, 0))
    out[-2:] = bytes((0, 1))
    return bytes(out)


def quantise(canvas, colours=256):
    """(palette, rows of indexes top-down) with a median-cut palette."""
    pixels = [tuple(int(round(clamp(v, 0, 255))) for v in rgb) for rgb in canvas.rgb]
    counts = {}
    for c in pixels:
        counts[c] = counts.get(c, 0) + 1
    palette = median_cut(counts, colours)
    cache = {}
    w = canvas.width
    rows = [bytes(nearest_index(palette, pixels[y * w + x], cache) for x in range(w))
            for y in range(canvas.height)]
    return palette, rows


def write_bmp8_rle(path, canvas):
    palette, rows = quantise(canvas)
    palette += [(0, 0, 0)] * (256 - len(palette))
    pixels = rle8_rows(list(reversed(rows)))
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    header_size = 14 + 40 + len(pal)
    file_header = struct.pack('<2sIHHI', b'BM', header_size + len(pixels), 0, 0, header_size)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 8, 1, len(pixels),
                       2835, 2835, 256, 0)
    with open(path, 'wb') as f:
        f.write(file_header + info + pal + pixels)


def and_mask(width, height, opaque):
    """1 bpp mask, bottom-up, rows padded to 4 bytes; bit set = transparent."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if not opaque[y * width + x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image_32(canvas):
    w, h = canvas.width, canvas.height
    xor = bytearray()
    opaque = []
    for y in range(h - 1, -1, -1):
        for x in range(w):
            i = y * w + x
            a = int(round(clamp(canvas.alpha[i]) * 255))
            if a == 0:
                xor += b'\0\0\0\0'
            else:
                r, g, b = (int(round(clamp(v, 0, 255))) for v in canvas.rgb[i])
                xor += bytes((b, g, r, a))
    for i in range(w * h):
        opaque.append(canvas.alpha[i] >= 0.5)
    mask = and_mask(w, h, opaque)
    header = bitmapinfoheader(w, h * 2, 32, len(xor) + len(mask))
    return header + bytes(xor) + mask


def icon_image_indexed(canvas, bpp):
    """An icon image of 8 bpp (256 colours) or 4 bpp (16 colours), each with
    a palette made for the image."""
    w, h = canvas.width, canvas.height
    size = 1 << bpp
    colours = opaque_colours(canvas)
    counts = {}
    for c in colours:
        if c is not None:
            counts[c] = counts.get(c, 0) + 1
    palette = median_cut(counts, size - 1)
    palette = [(0, 0, 0)] + palette  # index 0: under the transparent pixels
    palette += [(0, 0, 0)] * (size - len(palette))
    cache = {}
    per_byte = 8 // bpp
    stride = ((w * bpp + 31) // 32) * 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            c = colours[y * w + x]
            index = 0 if c is None else nearest_index(palette, c, cache, first=1)
            shift = (per_byte - 1 - x % per_byte) * bpp
            row[x // per_byte] |= index << shift
        xor += row
    mask = and_mask(w, h, [c is not None for c in colours])
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = bitmapinfoheader(w, h * 2, bpp, len(xor) + len(mask))
    return header + pal + bytes(xor) + mask


def icon_image_8(canvas):
    return icon_image_indexed(canvas, 8)


def icon_image_4(canvas):
    return icon_image_indexed(canvas, 4)


def write_ico(path, images):
    """images: list of (size, bpp, data)."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        colour_count = 16 if bpp == 4 else 0  # 0 for 8 bpp (256 colours) and above
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colour_count, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def chunk(fourcc, payload):
    data = fourcc + struct.pack('<I', len(payload)) + payload
    if len(payload) % 2:
        data += b'\0'
    return data


def riff_list(kind, fourcc, payload):
    return chunk(kind, fourcc + payload)


def build_avi(frames):
    """Run-length encoded 8 bpp AVI with one video stream and an idx1 index."""
    colours_per_frame = [opaque_colours(f) for f in frames]
    counts = {}
    for colours in colours_per_frame:
        for c in colours:
            if c is not None:
                counts[c] = counts.get(c, 0) + 1
    palette = [far_from_key(c, KEY_COLOUR) for c in median_cut(counts, 255)]
    palette = [KEY_COLOUR] + palette
    cache = {}

    frame_data = []
    for colours in colours_per_frame:
        rows = []
        for y in range(AVI_H - 1, -1, -1):
            rows.append(bytes(0 if c is None else nearest_index(palette, c, cache, first=1)
                              for c in colours[y * AVI_W:(y + 1) * AVI_W]))
        frame_data.append(rle8_rows(rows))
    frame_size = max(len(data) for data in frame_data)

    usec_per_frame = 1000000 // AVI_FPS
    avih = struct.pack('<14I',
                       usec_per_frame,             # dwMicroSecPerFrame
                       frame_size * AVI_FPS,       # dwMaxBytesPerSec
                       0,                          # dwPaddingGranularity
                       0x10,                       # dwFlags: AVIF_HASINDEX
                       len(frames),                # dwTotalFrames
                       0,                          # dwInitialFrames
                       1,                          # dwStreams
                       frame_size,                 # dwSuggestedBufferSize
                       AVI_W, AVI_H,
                       0, 0, 0, 0)
    strh = struct.pack('<4s4sIHHIIIIIIIIhhhh',
                       b'vids', b'RLE ',
                       0,                          # dwFlags
                       0, 0,                       # wPriority, wLanguage
                       0,                          # dwInitialFrames
                       1, AVI_FPS,                 # dwScale, dwRate
                       0, len(frames),             # dwStart, dwLength
                       frame_size,                 # dwSuggestedBufferSize
                       0xFFFFFFFF,                 # dwQuality: default
                       0,                          # dwSampleSize
                       0, 0, AVI_W, AVI_H)         # rcFrame
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    strf = struct.pack('<IiiHHIIiiII', 40, AVI_W, AVI_H, 1, 8, 1, frame_size,
                       2835, 2835, len(palette), 0) + pal

    hdrl = riff_list(b'LIST', b'hdrl',
                     chunk(b'avih', avih)
                     + riff_list(b'LIST', b'strl', chunk(b'strh', strh) + chunk(b'strf', strf)))

    movi_payload = bytearray()
    index = bytearray()
    for data in frame_data:
        # Offsets in idx1 count from the 'movi' fourcc of the list.
        offset = 4 + len(movi_payload)
        movi_payload += chunk(b'00db', data)
        index += struct.pack('<4sIII', b'00db', 0x10, offset, len(data))  # AVIIF_KEYFRAME
    movi = riff_list(b'LIST', b'movi', bytes(movi_payload))
    idx1 = chunk(b'idx1', bytes(index))
    return riff_list(b'RIFF', b'AVI ', hdrl + movi + idx1)


# --------------------------------------------------------------------------


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'res', 'art')
    os.makedirs(out_dir, exist_ok=True)

    write_bmp8_rle(os.path.join(out_dir, 'side.bmp'), make_side())

    icon32 = make_icon_image(32)
    icon16 = make_icon_image(16)
    write_ico(os.path.join(out_dir, 'kvsetup.ico'), [
        (32, 32, icon_image_32(icon32)),
        (16, 32, icon_image_32(icon16)),
        (32, 8, icon_image_8(icon32)),
        (16, 8, icon_image_8(icon16)),
    ])

    # The uninstaller's icon: 16 colours only, to keep the program small.
    write_ico(os.path.join(out_dir, 'kvrem00.ico'), [
        (32, 4, icon_image_4(icon32)),
        (16, 4, icon_image_4(icon16)),
    ])

    with open(os.path.join(out_dir, 'copy.avi'), 'wb') as f:
        f.write(build_avi(make_avi_frames()))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
