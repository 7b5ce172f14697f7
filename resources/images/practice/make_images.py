#!/usr/bin/env python3
"""Draws the practice pictures: score icons 420..429, gauge strips 301..303,
the Enter invitation and the wrong-key marker.

Plain Python (no imaging library): shapes are tested on a supersampled grid
and averaged down, then written as PNG with zlib. Run it from anywhere; the
PNG files land beside this script.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- PNG output

def write_png(path, width, height, rgba):
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            row.extend(rgba[y * width + x])
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# ---------------------------------------------------------------- canvas

class Canvas:
    """Premultiplied RGBA, supersampled; coordinates are drawing units, each
    `scale` output pixels (1 unless a larger picture of the same drawing is
    wanted)."""

    def __init__(self, width, height, ss=4, scale=1):
        self.w, self.h, self.ss, self.scale = width * scale, height * scale, ss, scale
        n = self.w * self.h * ss * ss
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n

    def fill(self, inside, colour, box=None):
        """Paints colour (a tuple or a function of x, y) where inside(x, y)."""
        ss = self.ss
        per_unit = ss * self.scale
        W = self.w * ss
        x0, y0, x1, y1 = box if box else (0, 0, self.w / self.scale, self.h / self.scale)
        i0, i1 = max(0, int(x0 * per_unit)), min(W, int(math.ceil(x1 * per_unit)))
        j0, j1 = max(0, int(y0 * per_unit)), min(self.h * ss, int(math.ceil(y1 * per_unit)))
        const = colour if not callable(colour) else None
        for j in range(j0, j1):
            y = (j + 0.5) / per_unit
            base = j * W
            for i in range(i0, i1):
                x = (i + 0.5) / per_unit
                if not inside(x, y):
                    continue
                c = const if const else colour(x, y)
                ca = c[3] / 255.0 if len(c) > 3 else 1.0
                if ca <= 0:
                    continue
                k = base + i
                keep = 1.0 - ca
                self.r[k] = c[0] * ca + self.r[k] * keep
                self.g[k] = c[1] * ca + self.g[k] * keep
                self.b[k] = c[2] * ca + self.b[k] * keep
                self.a[k] = 255.0 * ca + self.a[k] * keep

    def save(self, name):
        ss, W = self.ss, self.w * self.ss
        out = []
        n = ss * ss
        for y in range(self.h):
            for x in range(self.w):
                r = g = b = a = 0.0
                for j in range(ss):
                    base = (y * ss + j) * W + x * ss
                    for i in range(ss):
                        k = base + i
                        r += self.r[k]
                        g += self.g[k]
                        b += self.b[k]
                        a += self.a[k]
                r, g, b, a = r / n, g / n, b / n, a / n
                if a > 0:
                    px = (round(r * 255 / a), round(g * 255 / a), round(b * 255 / a), round(a))
                else:
                    px = (0, 0, 0, 0)
                out.append(tuple(max(0, min(255, v)) for v in px))
        write_png(os.path.join(HERE, name), self.w, self.h, out)


# ---------------------------------------------------------------- shapes

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def segment_distance(x, y, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = 0.0 if dx == dy == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy))


def stroke(points, width):
    """A polyline with round joins and caps."""
    half = width / 2.0
    segs = list(zip(points, points[1:]))
    return lambda x, y: any(segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half for a, b in segs)


def arc(cx, cy, r, a0, a1, width, steps=24):
    """Stroke along a circle from angle a0 to a1 (degrees; y grows downwards)."""
    pts = []
    for i in range(steps + 1):
        t = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return stroke(pts, width)


def polygon(points):
    def inside(x, y):
        c = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < (x1 - x0) * (y - y0) / (y1 - y0) + x0:
                c = not c
        return c
    return inside


def star(cx, cy, r_out, r_in, points=5, rotation=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        t = math.radians(rotation + i * 180.0 / points)
        pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return polygon(pts)


def rounded_rect(x0, y0, x1, y1, rad):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + rad), x1 - rad)
        cy = min(max(y, y0 + rad), y1 - rad)
        return (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def translate(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


# ---------------------------------------------------------------- colours

def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def shade(c, f):
    """f < 0 darkens towards black, f > 0 lightens towards white."""
    return mix(c, (0, 0, 0), -f) if f < 0 else mix(c, (255, 255, 255), f)


def radial(cx, cy, r, inner, outer):
    return lambda x, y: mix(inner, outer, math.hypot(x - cx, y - cy) / r)


def vertical(y0, y1, top, bottom):
    return lambda x, y: mix(top, bottom, (y - y0) / (y1 - y0))


# ---------------------------------------------------------------- faces (beginner)

def face(name, base, mood, scale=1):
    c = Canvas(32, 32, ss=4 if scale == 1 else 2, scale=scale)
    c.fill(circle(16.6, 17.2, 14.6), (0, 0, 0, 60))                      # soft shadow
    c.fill(circle(16, 16, 14.8), shade(base, -0.45))                     # outline
    c.fill(circle(16, 16, 13.6), radial(11.5, 10.5, 17, shade(base, 0.55), shade(base, -0.12)))
    c.fill(ellipse(12.2, 8.6, 5.2, 2.8), (255, 255, 255, 110))           # gloss
    ink = shade(base, -0.78)

    if mood == "beaming":
        c.fill(arc(11.3, 14.2, 2.6, 200, 340, 1.8), ink)                  # happy closed eyes
        c.fill(arc(20.7, 14.2, 2.6, 200, 340, 1.8), ink)
        c.fill(ellipse(7.6, 17.4, 2.4, 1.5), (255, 200, 200, 120))       # cheeks
        c.fill(ellipse(24.4, 17.4, 2.4, 1.5), (255, 200, 200, 120))
        mouth = lambda x, y: y >= 18.2 and (x - 16) ** 2 + (y - 18.2) ** 2 <= 7.6 ** 2
        c.fill(mouth, ink)
        c.fill(lambda x, y: mouth(x, y) and y <= 20.2 and abs(x - 16) <= 6.4, (255, 255, 255))  # teeth
        c.fill(lambda x, y: mouth(x, y) and (x - 16) ** 2 + (y - 26.5) ** 2 <= 4.2 ** 2, (230, 80, 90))
        return c.save(name)

    c.fill(ellipse(11.5, 12.6, 1.9, 2.5), ink)                            # eyes
    c.fill(ellipse(20.5, 12.6, 1.9, 2.5), ink)
    c.fill(circle(12.1, 11.7, 0.7), (255, 255, 255))
    c.fill(circle(21.1, 11.7, 0.7), (255, 255, 255))
    if mood == "sad":
        c.fill(stroke([(8.2, 9.0), (13.4, 7.2)], 1.5), ink)               # worried brows
        c.fill(stroke([(18.6, 7.2), (23.8, 9.0)], 1.5), ink)
        c.fill(arc(16, 28.2, 7.4, 235, 305, 2.0), ink)                     # frown
        tear = union(circle(9.6, 19.2, 1.6), polygon([(8.1, 18.6), (11.1, 18.6), (9.6, 15.6)]))
        c.fill(tear, (90, 170, 255))
    elif mood == "glum":
        c.fill(arc(16, 32.0, 10.0, 245, 295, 2.0), ink)                    # slight frown
    elif mood == "neutral":
        c.fill(stroke([(11.2, 22.0), (20.8, 22.0)], 2.0), ink)
    elif mood == "smile":
        c.fill(arc(16, 15.2, 7.6, 30, 150, 2.1), ink)
    c.save(name)


# ---------------------------------------------------------------- medals (expert)

def medal(name, metal, ribbon, shine=0, dull=False, scale=1):
    c = Canvas(32, 32, ss=4 if scale == 1 else 2, scale=scale)
    if shine:
        glow = lambda x, y: (255, 236, 120, max(0, 200 - 13 * math.hypot(x - 16, y - 20)))
        c.fill(circle(16, 20, 15.5), glow)                                 # halo
        for k in range(12):                                                # rays of light
            t = math.radians(k * 30 + 15)
            length = 16.5 if k % 2 == 0 else 13.5
            tip = (16 + length * math.cos(t), 20 + length * math.sin(t))
            side = math.radians(k * 30 + 15 + 90)
            ray = polygon([(16 + 3.6 * math.cos(side), 20 + 3.6 * math.sin(side)), tip,
                           (16 - 3.6 * math.cos(side), 20 - 3.6 * math.sin(side))])
            c.fill(ray, (255, 200, 30, 210))
    r0, r1 = ribbon
    left = polygon([(5.5, 0), (12.5, 0), (18.5, 12.5), (11.5, 12.5)])
    right = polygon([(19.5, 0), (26.5, 0), (20.5, 12.5), (13.5, 12.5)])
    c.fill(right, shade(r1, -0.15))
    c.fill(polygon([(21.8, 0), (24.2, 0), (18.2, 12.5), (15.8, 12.5)]), shade(r0, 0.1))
    c.fill(left, r1)
    c.fill(polygon([(7.8, 0), (10.2, 0), (16.2, 12.5), (13.8, 12.5)]), r0)
    c.fill(circle(16.7, 21.8, 10.2), (0, 0, 0, 70))                       # shadow
    c.fill(circle(16, 21, 10.4), shade(metal, -0.5))                     # rim edge
    c.fill(circle(16, 21, 9.6), radial(12.5, 17.0, 14, shade(metal, 0.45 if not dull else 0.1),
                                       shade(metal, -0.25)))
    c.fill(ring(16, 21, 7.0, 7.8), shade(metal, -0.3))                   # inner groove
    c.fill(circle(16, 21, 7.0), radial(18.5, 24.0, 10, shade(metal, -0.05), shade(metal, 0.3 if not dull else 0.05)))
    if not dull:
        c.fill(arc(16, 21, 8.6, 200, 250, 1.3), (255, 255, 255, 170))   # highlight on the rim
    c.fill(star(16.4, 21.7, 6.0, 2.7), shade(metal, -0.55))              # embossed star
    c.fill(star(16, 21.2, 5.4, 2.3), shade(metal, 0.5 if not dull else -0.25))
    if shine:
        c.fill(star(25.5, 13.0, 5.6, 1.2, points=4, rotation=0), (255, 255, 255))
        c.fill(star(6.5, 27.0, 3.4, 0.8, points=4, rotation=0), (255, 255, 240))
    c.save(name)


# ---------------------------------------------------------------- gauge strips

def gauge(name, top, middle, bottom):
    width, height = 300, 16
    c = Canvas(width, height, ss=1)

    def colour(x, y):
        t = y / height
        base = mix(top, middle, t / 0.45) if t < 0.45 else mix(middle, bottom, (t - 0.45) / 0.55)
        if t < 0.35:                                 # gloss band on the upper third
            base = mix(base, (255, 255, 255), 0.35 * (1 - t / 0.35))
        return base

    c.fill(lambda x, y: True, colour)
    c.fill(lambda x, y: y < 1, shade(middle, 0.6))                         # top light edge
    c.fill(lambda x, y: y > height - 1, shade(bottom, -0.35))              # bottom dark edge
    c.save(name)


# ---------------------------------------------------------------- Enter invitation

def premi(name):
    c = Canvas(64, 52)
    # The Enter key of an AZERTY keyboard: wide at the top, narrower below.
    def key(dx, dy, grow):
        g = grow
        return union(rounded_rect(4 - g + dx, 4 - g + dy, 60 + g + dx, 24 + g + dy, 5 + g),
                     rounded_rect(16 - g + dx, 4 - g + dy, 60 + g + dx, 46 + g + dy, 5 + g))
    c.fill(key(1.5, 2.5, 1.0), (0, 0, 0, 70))                              # shadow
    c.fill(key(0, 0, 1.0), (70, 80, 95))                                   # edge
    c.fill(key(0, 0, 0), vertical(4, 46, (250, 251, 253), (190, 196, 206)))
    face = union(rounded_rect(8, 6.5, 56, 21, 4), rounded_rect(19.5, 6.5, 56, 41, 4))
    c.fill(face, vertical(6, 41, (255, 255, 255), (222, 226, 234)))
    arrow = (20, 90, 180)
    c.fill(stroke([(47, 12.5), (47, 30), (29, 30)], 4.0), arrow)
    c.fill(polygon([(21.5, 30), (31, 23), (31, 37)]), arrow)
    c.save(name)


# ---------------------------------------------------------------- wrong key

def key_error(name):
    c = Canvas(24, 24)
    halo = (255, 255, 255, 235)
    red = (215, 25, 30)
    c.fill(ring(12, 12, 8.2, 11.8), halo)
    c.fill(stroke([(7.2, 7.2), (16.8, 16.8)], 6.2), halo)
    c.fill(stroke([(16.8, 7.2), (7.2, 16.8)], 6.2), halo)
    c.fill(ring(12, 12, 9.0, 11.0), red)
    c.fill(stroke([(7.6, 7.6), (16.4, 16.4)], 3.4), red)
    c.fill(stroke([(16.4, 7.6), (7.6, 16.4)], 3.4), red)
    c.save(name)


def symbols(folder="", scale=1):
    """The ten evaluation symbols: faces for beginners, medals for experts,
    poorest first."""
    p = lambda n: os.path.join(folder, n) if folder else n
    face(p("icon420.png"), (235, 85, 60), "sad", scale)
    face(p("icon421.png"), (245, 150, 55), "glum", scale)
    face(p("icon422.png"), (248, 205, 55), "neutral", scale)
    face(p("icon423.png"), (165, 212, 65), "smile", scale)
    face(p("icon424.png"), (60, 195, 85), "beaming", scale)
    medal(p("icon425.png"), (120, 112, 104), ((150, 150, 150), (105, 105, 110)), dull=True, scale=scale)
    medal(p("icon426.png"), (196, 120, 55), ((200, 40, 45), (150, 25, 30)), scale=scale)
    medal(p("icon427.png"), (196, 202, 212), ((40, 90, 200), (25, 60, 150)), scale=scale)
    medal(p("icon428.png"), (236, 182, 40), ((40, 150, 70), (25, 110, 50)), scale=scale)
    medal(p("icon429.png"), (250, 196, 30), ((200, 30, 40), (40, 80, 190)), shine=1, scale=scale)


def main():
    symbols()
    gauge("bmp301.png", (150, 240, 150), (40, 190, 60), (0, 110, 25))
    gauge("bmp302.png", (255, 250, 160), (245, 215, 20), (170, 135, 0))
    gauge("bmp303.png", (255, 160, 150), (225, 45, 40), (130, 0, 0))
    premi("premi.png")
    key_error("keyerror.png")


if __name__ == "__main__":
    main()
