#!/usr/bin/env python3
"""Draws the pictures of the results window and its printed page: the ten
evaluation symbols in a large size (the same drawings as the practice icons
420..429), the arrow towards "Continua" (442), the keyboard of the printed
header and the strip repeated across the top of the window.

Uses the plain-Python canvas of ../practice/make_images.py. The PNG files land
beside this script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "practice"))

from make_images import (Canvas, circle, mix, polygon, rounded_rect, shade, stroke,  # noqa: E402
                         symbols, union, vertical)


def out(name):
    return os.path.join(HERE, name)


def arrow(name):
    """A blue arrow pointing right, the way to go on."""
    c = Canvas(24, 24, ss=4, scale=2)
    body = union(rounded_rect(2.5, 9.0, 14.5, 15.0, 2.0),
                 polygon([(12.0, 4.0), (22.0, 12.0), (12.0, 20.0)]))
    halo = union(rounded_rect(1.3, 7.8, 15.7, 16.2, 3.0),
                 polygon([(10.8, 1.6), (23.9, 12.0), (10.8, 22.4)]))
    c.fill(halo, (255, 255, 255, 230))
    c.fill(body, vertical(4, 20, (90, 160, 240), (20, 80, 170)))
    c.fill(union(rounded_rect(3.5, 10.0, 13.5, 11.6, 0.8),
                 polygon([(13.0, 6.2), (19.2, 11.2), (13.0, 11.2)])), (255, 255, 255, 90))
    c.save(out(name))


def keyboard(name):
    """A small keyboard seen from above: a dark body with three rows of keys
    and a space bar."""
    c = Canvas(40, 40, ss=2, scale=4)
    c.fill(rounded_rect(1.6, 10.6, 39.0, 31.0, 2.4), (0, 0, 0, 60))              # shadow
    c.fill(rounded_rect(1.0, 10.0, 38.4, 30.4, 2.4), (55, 62, 74))               # body
    c.fill(rounded_rect(1.8, 10.8, 37.6, 29.6, 1.8), vertical(10, 30, (92, 100, 114), (60, 66, 78)))
    key = (236, 239, 244)
    for row, (x0, n) in enumerate([(3.2, 11), (4.2, 10), (5.4, 9)]):
        y = 12.6 + row * 4.2
        for i in range(n):
            x = x0 + i * 3.1
            c.fill(rounded_rect(x, y, x + 2.5, y + 3.2, 0.6), shade(key, -0.25))
            c.fill(rounded_rect(x + 0.15, y + 0.1, x + 2.35, y + 2.8, 0.5), key)
    c.fill(rounded_rect(10.0, 25.2, 29.4, 28.2, 0.7), shade(key, -0.25))        # space bar
    c.fill(rounded_rect(10.15, 25.3, 29.25, 27.8, 0.6), key)
    # The two home keys of the index fingers carry their bumps.
    for x in (3.2 + 3 * 3.1, 3.2 + 6 * 3.1):
        c.fill(stroke([(x + 0.8, 19.8), (x + 1.7, 19.8)], 0.35), (120, 126, 138))
    c.save(out(name))


def strip(name):
    """The tile repeated across the top of the window: small keys in the three
    level colours on a light rail."""
    c = Canvas(24, 6, ss=4)
    c.fill(lambda x, y: True, (232, 236, 242))
    c.fill(lambda x, y: y > 5, (200, 206, 216))
    colours = [(110, 205, 110), (238, 205, 60), (232, 104, 96)]
    for i, colour in enumerate(colours):
        x = 1 + i * 8
        c.fill(rounded_rect(x, 1, x + 6, 5, 1.0), shade(colour, -0.2))
        c.fill(rounded_rect(x + 0.4, 1.2, x + 5.6, 4.4, 0.8), vertical(1, 4.4, mix(colour, (255, 255, 255), 0.4), colour))
    c.save(out(name))


def main():
    symbols(HERE, scale=4)
    arrow("icon442.png")
    keyboard("tastiera.png")
    strip("striscia.png")


if __name__ == "__main__":
    main()
