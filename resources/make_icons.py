#!/usr/bin/env python3
"""Draws Tarvelo's icons and writes them as ICO files.

Usage: make_icons.py OUTDIR

Writes into OUTDIR the six 16 x 16 images the program shows (tag.ico,
bubble.ico, copy.ico, about.ico, keys.ico, help.ico), the program icon
app.ico, and icons_data.cpp, which embeds the six images as byte arrays
behind resources/icons.h.

Every picture is drawn from shapes given as signed distance functions in
pixel coordinates (0..16, y downwards), sampled 8 x 8 times per pixel, so the
32-bit images get anti-aliased edges through their alpha channel. The 8-bit
images keep a pixel where at least half of it is covered and are transparent
elsewhere; their palette holds the colours they use, padded to 256 entries.
"""

import math
import os
import struct
import sys

SIZE = 16
SAMPLES = 8


# Signed distance functions: negative inside, positive outside, in pixels.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Approximate distance; exact enough for shapes this small.
    def d(x, y):
        k = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (k - 1.0) * min(rx, ry)
    return d


def rounded_box(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return d


def segment(ax, ay, bx, by, r):
    def d(x, y):
        px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * t, py - vy * t) - r
    return d


def polygon(points):
    def d(x, y):
        best = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            vx, vy, px, py = bx - ax, by - ay, x - ax, y - ay
            t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
            best = min(best, math.hypot(px - vx * t, py - vy * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * vx / vy:
                inside = not inside
        return -best if inside else best
    return d


def arc(cx, cy, r, width, start, end):
    """A ring of the given width along the circle, from angle start to end
    (degrees, counter-clockwise from the positive x axis, y pointing up),
    with round ends."""
    a0, a1 = math.radians(start), math.radians(end)
    ends = [(cx + r * math.cos(a), cy - r * math.sin(a)) for a in (a0, a1)]

    def d(x, y):
        a = math.atan2(cy - y, x - cx)
        span = (a1 - a0) % (2 * math.pi)
        if (a - a0) % (2 * math.pi) <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


# Colours: (r, g, b) in 0..255, or a function of (x, y) giving one.

def vertical(top, bottom, y0, y1):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


class Canvas:
    """16 x 16 premultiplied RGBA pixels, composited shape by shape."""

    def __init__(self):
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * SIZE for _ in range(SIZE)]

    def fill(self, shape, colour, inset=0.0, opacity=1.0):
        """Paints the part of shape deeper than inset pixels."""
        for py in range(SIZE):
            for px in range(SIZE):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = px + (sx + 0.5) / SAMPLES
                        y = py + (sy + 0.5) / SAMPLES
                        if shape(x, y) <= -inset:
                            hits += 1
                if hits == 0:
                    continue
                c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                a = opacity * hits / (SAMPLES * SAMPLES)
                r, g, b, old = self.pixels[py][px]
                keep = 1.0 - a
                self.pixels[py][px] = (c[0] / 255 * a + r * keep, c[1] / 255 * a + g * keep,
                                       c[2] / 255 * a + b * keep, a + old * keep)

    def outlined(self, shape, outline, inside, width=1.0):
        """The shape in the outline colour with its interior, width pixels
        in, in the fill colour."""
        self.fill(shape, outline)
        self.fill(shape, inside, inset=width)

    def straight(self):
        """Rows of straight (not premultiplied) (r, g, b, a) bytes."""
        rows = []
        for row in self.pixels:
            out = []
            for r, g, b, a in row:
                if a <= 0.0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append(tuple(min(255, round(v / a * 255)) for v in (r, g, b))
                               + (min(255, round(a * 255)),))
            rows.append(out)
        return rows


# ICO writing. One image per file; rows are stored bottom-up, the AND mask
# has a set bit for every transparent pixel.

def and_mask(rows, transparent):
    stride = (SIZE + 31) // 32 * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if transparent(pixel):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def info_header(bit_count, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bit_count, 0, image_bytes,
                       0, 0, 0, 0)


def ico_file(bit_count, image):
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, bit_count, len(image), 6 + 16)
    return header + entry + image


def ico_32(canvas):
    rows = canvas.straight()
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = and_mask(rows, lambda p: p[3] == 0)
    return ico_file(32, info_header(32, len(xor) + len(mask)) + bytes(xor) + mask)


def ico_8(canvas):
    rows = [[(r, g, b) if a >= 128 else None for r, g, b, a in row]
            for row in canvas.straight()]
    # Index 0 is black: what the colour image holds under a transparent pixel.
    palette = [(0, 0, 0)]
    for row in rows:
        for pixel in row:
            if pixel is not None and pixel not in palette:
                palette.append(pixel)
    if len(palette) > 256:
        raise SystemExit("make_icons: an 8-bit image uses more than 256 colours")
    quad = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    quad += bytes(4 * (256 - len(palette)))
    xor = bytearray()
    for row in reversed(rows):
        for pixel in row:
            xor.append(0 if pixel is None else palette.index(pixel))
    mask = and_mask(rows, lambda p: p is None)
    image = info_header(8, len(xor) + len(mask)) + quad + bytes(xor) + mask
    return ico_file(8, image)


def quantised(canvas, steps=36):
    """The canvas with each channel rounded to one of steps levels, so that
    an 8-bit image keeps to a small palette."""
    step = 255 / (steps - 1)
    for y in range(SIZE):
        for x in range(SIZE):
            r, g, b, a = canvas.pixels[y][x]
            if a > 0:
                r, g, b = (round(v / a * 255 / step) * step / 255 * a for v in (r, g, b))
                canvas.pixels[y][x] = (r, g, b, a)
    return canvas


# The pictures.

def draw_tag():
    """A yellow label: pointed at the left, with an eyelet there and a
    string running from it, two lines of writing on its body."""
    c = Canvas()
    body = polygon([(0.0, 9.0), (5.0, 4.0), (16.0, 4.0), (16.0, 14.0), (5.0, 14.0)])
    hole = circle(4.0, 9.0, 1.0)
    label = subtract(body, hole)
    c.outlined(label, (110, 72, 0), vertical((255, 244, 140), (235, 170, 0), 5.0, 13.0))
    ink = (190, 120, 0)
    c.fill(rounded_box(7.0, 7.0, 14.0, 8.0, 0.0), ink)
    c.fill(rounded_box(7.0, 10.0, 12.0, 11.0, 0.0), ink)
    # The string, from the eyelet up to the top edge.
    c.fill(union(segment(4.0, 8.5, 2.5, 6.0, 0.55), segment(2.5, 6.0, 2.5, 3.0, 0.55),
                 segment(2.5, 3.0, 4.5, 0.5, 0.55)), (90, 60, 20))
    return quantised(c)


def draw_bubble():
    """A yellow speech bubble with its tail at the bottom left."""
    c = Canvas()
    shape = union(ellipse(8.0, 6.6, 7.4, 5.6), polygon([(3.6, 9.6), (7.4, 11.6), (1.4, 15.4)]))
    c.outlined(shape, (122, 88, 0), vertical((255, 250, 170), (240, 190, 20), 1.5, 12.0))
    # A soft highlight in the upper left.
    c.fill(ellipse(6.0, 4.2, 3.2, 1.5), (255, 255, 240), opacity=0.7)
    return c


def page(x0, y0, x1, y1, fold):
    return polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])


def draw_page(c, x0, y0, x1, y1):
    fold = 3.0
    outline = (20, 100, 30)
    shape = page(x0, y0, x1, y1, fold)
    c.outlined(shape, outline, vertical((225, 255, 215), (150, 220, 140), y0, y1))
    # The dog-ear and three lines of text.
    c.fill(polygon([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)]), outline)
    c.fill(polygon([(x1 - fold + 0.9, y0 + 0.9), (x1 - 0.9, y0 + fold - 0.9),
                    (x1 - fold + 0.9, y0 + fold - 0.9)]), (120, 200, 110))
    for i in range(3):
        y = y0 + 5.0 + 2 * i
        c.fill(rounded_box(x0 + 2.0, y, x1 - (2.0 if i else fold + 1.0), y + 1.0, 0.0),
               (60, 150, 60))


def draw_copy():
    """Two green pages, one lying over the other."""
    c = Canvas()
    draw_page(c, 1.0, 0.0, 11.0, 12.0)
    draw_page(c, 5.0, 4.0, 15.0, 16.0)
    return c


def draw_keys():
    """A grey key-cap seen from above and in front: the lighter top face
    with a letter, framed by the cap's darker sides."""
    c = Canvas()
    cap = rounded_box(0.0, 1.0, 16.0, 16.0, 2.5)
    c.outlined(cap, (64, 64, 64), vertical((176, 176, 176), (112, 112, 112), 2.0, 15.0))
    face = rounded_box(2.0, 2.0, 14.0, 12.0, 1.5)
    c.fill(face, (128, 128, 128))
    c.fill(face, vertical((248, 248, 248), (208, 208, 208), 3.0, 11.0), inset=1.0)
    # The letter K, pixel by pixel.
    letter = ["##..##",
              "##.##.",
              "####..",
              "####..",
              "##.##.",
              "##..##"]
    for row, text in enumerate(letter):
        for column, mark in enumerate(text):
            if mark == "#":
                x, y = 5 + column, 4 + row
                c.fill(rounded_box(x, y, x + 1, y + 1, 0.0), (48, 48, 48))
    return quantised(c)


def draw_help():
    """A red question mark with a magnifying glass over its lower right."""
    c = Canvas()
    question = union(arc(5.6, 4.6, 3.0, 2.6, -60, 180),
                     segment(7.2, 7.0, 6.0, 8.4, 1.3),
                     segment(5.9, 8.4, 5.9, 9.3, 1.3),
                     circle(5.9, 12.6, 1.5))
    c.fill(question, (120, 0, 0), inset=-0.9)
    c.fill(question, vertical((250, 80, 70), (200, 0, 0), 1.0, 14.0))
    # The lens, a dark ring holding translucent glass, and its handle; the
    # handle stops short of the corner pixel, which stays transparent.
    lens = circle(10.2, 9.8, 3.4)
    handle = segment(12.2, 11.8, 13.7, 13.7, 1.1)
    c.fill(handle, (40, 40, 40), inset=-0.5)
    c.fill(handle, (160, 105, 40))
    c.fill(lens, (30, 30, 30))
    c.fill(lens, (190, 225, 255), inset=1.2, opacity=0.55)
    c.fill(arc(10.2, 9.8, 1.7, 0.9, 100, 170), (255, 255, 255), opacity=0.9)
    return c


def draw_mouth():
    """Red lips: the upper lip with its bow, the fuller lower lip, a dark
    line between them and a highlight on each lip."""
    c = Canvas()
    left, right, middle = 0.3, 15.7, 8.8

    def edge(height, dip, fullness):
        points = []
        for i in range(17):
            t = i / 16
            x = left + (right - left) * t
            bow = dip * math.exp(-((x - 8.0) / 1.1) ** 2)
            points.append((x, middle - height * math.sin(math.pi * t) ** fullness + bow))
        return points
    top = edge(5.4, 1.8, 0.9)
    bottom = [(x, 2 * middle - y) for x, y in edge(4.6, 0.0, 0.7)]
    lips = polygon(top + list(reversed(bottom[1:-1])))
    c.outlined(lips, (96, 0, 16), vertical((236, 40, 56), (176, 0, 24), 4.0, 13.0))
    c.fill(union(segment(1.8, 8.6, 8.0, 8.8, 0.55), segment(8.0, 8.8, 14.2, 8.6, 0.55)),
           (96, 0, 16))
    c.fill(ellipse(7.5, 11.0, 2.6, 0.9), (255, 150, 160))
    c.fill(ellipse(5.0, 6.3, 1.5, 0.6), (255, 130, 140))
    return quantised(c)


# The six images by number, and the program icon.
IMAGES = [
    (1, "tag", "TagIcon", lambda: ico_8(draw_tag())),
    (2, "bubble", "BubbleIcon", lambda: ico_32(draw_bubble())),
    (3, "copy", "CopyIcon", lambda: ico_32(draw_copy())),
    (4, "about", "AboutIcon", None),  # the same image data as BubbleIcon
    (5, "keys", "KeysIcon", lambda: ico_8(draw_keys())),
    (6, "help", "HelpIcon", lambda: ico_32(draw_help())),
]


def cpp_source(files):
    out = ["// Generated by resources/make_icons.py; do not edit.",
           '#include "resources/icons.h"', "", "namespace resources {", "namespace {", ""]
    for number, name, title, _ in IMAGES:
        data = files[name]
        out.append("// Image %d, %s: %d bytes." % (number, title, len(data)))
        out.append("const unsigned char k%s[] = {" % title)
        for i in range(0, len(data), 16):
            out.append("    " + ", ".join("0x%02X" % b for b in data[i:i + 16]) + ",")
        out.append("};")
        out.append("")
    out += ["} // namespace", "", "IcoFile ImageIcoFile(int image) {", "    switch (image) {"]
    for number, _, title, _ in IMAGES:
        out.append("    case %d:" % number)
        out.append("        return {k%s, sizeof k%s};" % (title, title))
    out += ["    default:", "        return {nullptr, 0};", "    }", "}", "",
            "} // namespace resources", ""]
    return "\n".join(out)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icons.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    files = {}
    for _, name, _, make in IMAGES:
        files[name] = make() if make else files["bubble"]
    files["app"] = ico_8(draw_mouth())
    for name, data in files.items():
        write(os.path.join(outdir, name + ".ico"), data)
    write(os.path.join(outdir, "icons_data.cpp"), cpp_source(files).encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
