#!/usr/bin/env python3
"""Writes the outline tables of the sliding pop-up (ui/frmTransparency_sagoma.cpp).

The outline is a speech balloon: a rounded body whose tail rises from its top
edge to the top-left corner of the window, where the window points at the key
it is placed on. Each entry is left * 1000000 + y * 1000 + right (pixels, right
excluded) and covers rows y and y + 1. Straight edges are written as runs
(first entry, increment, count), the rounded corners as single entries.

    python3 resources/tools/sagoma_popup.py > ui/frmTransparency_sagoma.cpp
"""
import math

SIZES = {
    # name: width, height, top of the body, corner radius,
    #       tail top (left, right), tail growth per entry (left, right)
    "piccola": (363, 205, 44, 20, (6, 10), (1, 3)),
    "grande": (519, 293, 62, 28, (9, 14), (1, 4)),
}


def entry(left, y, right):
    return left * 1000000 + y * 1000 + right


def corner_inset(r, d):
    """Inset of a rounded corner of radius r at a row pair whose middle lies d
    pixels inside the body edge."""
    if d >= r:
        return 0
    return int(round(r - math.sqrt(max(0.0, r * r - (r - d) ** 2))))


def literal(n):
    """An entry as a C++ literal whose digit groups show left, y and right
    (no leading zero: that would make it octal)."""
    left, y, right = n // 1000000, n // 1000 % 1000, n % 1000
    if left:
        return f"{left}'{y:03d}'{right:03d}"
    if y:
        return f"{y}'{right:03d}"
    return str(right)


def series(width, height, body_top, r, tail, growth):
    out = []
    # Tail: both edges straight, one run.
    n_tail = body_top // 2
    out.append((entry(tail[0], 0, tail[1]), growth[0] * 1000000 + 2000 + growth[1], n_tail))
    # Body: top corners, straight sides, bottom corners.
    ys = list(range(body_top, height, 2))
    straight = []
    for y in ys:
        # Middle of the rows the entry covers inside the window, from each edge.
        end = min(y + 2, height)
        d = min((y + end) / 2 - body_top, height - (y + end) / 2)
        inset = corner_inset(r, d)
        if inset:
            if straight:
                out.append((straight[0], 2000, len(straight)))
                straight = []
            out.append((entry(inset, y, width - inset), 0, 1))
        else:
            straight.append(entry(0, y, width))
    if straight:
        out.append((straight[0], 2000, len(straight)))
    return out


def main():
    print("// The outlines of the sliding pop-up, written by resources/tools/sagoma_popup.py:")
    print("// runs of entries (first, increment, count); an entry is left, y, right in")
    print("// nine digits and covers rows y and y + 1.")
    print()
    print('#include "ui/frmTransparency.h"')
    print()
    print("#include <iterator>")
    print()
    print("namespace {")
    print()
    for name, params in SIZES.items():
        runs = series(*params)
        total = sum(c for _, _, c in runs)
        print(f"// {params[0]} x {params[1]} pixels, {total} entries.")
        print(f"const SerieCampate serie_{name}[] = {{")
        for first, inc, count in runs:
            print(f"    {{{literal(first)}u, {literal(inc)}, {count}}},")
        print("};")
        print()
    print("} // namespace")
    print()
    print("const std::vector<uint32_t> &CampateSagoma(bool schermoGrande)")
    print("{")
    for name in SIZES:
        print(f"    static const std::vector<uint32_t> {name} =")
        print(f"        EspandiSerie(serie_{name}, int(std::size(serie_{name})));")
    print("    return schermoGrande ? grande : piccola;")
    print("}")


if __name__ == "__main__":
    main()
