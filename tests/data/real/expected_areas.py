#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The figures real_files_test.cpp expects, worked out here apart from the
# program: exact fractions from the decimals as written, the lines named by
# hand. Cut: ground above design; fill: design above ground; only where both
# lines have points (a ground in pieces counts over its pieces only).
import sys
import xml.etree.ElementTree as ET
from fractions import Fraction as F

NS = "{http://www.landxml.org/schema/LandXML-1.2}"


def pieces(surface):
    out = [[(F(a), F(b)) for a, b in zip(*[iter(p.text.split())] * 2)]
           for p in surface.iter(NS + "PntList2D")]
    pnts = [tuple(F(v) for v in p.text.split()) for p in surface.iter(NS + "CrossSectPnt")]
    if pnts:
        out.append(pnts)
    joined = []
    for piece in out:  # pieces that touch are one line
        if joined and joined[-1][-1] == piece[0]:
            joined[-1] += piece[1:]
        else:
            joined.append(piece)
    return joined


def value(line, x):
    for (x0, y0), (x1, y1) in zip(line, line[1:]):
        if min(x0, x1) <= x <= max(x0, x1) and x0 != x1:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    return None


def cut_fill(ground_pieces, design):
    cut = fill = F(0)
    for ground in ground_pieces:
        lo = max(min(p[0] for p in ground), min(p[0] for p in design))
        hi = min(max(p[0] for p in ground), max(p[0] for p in design))
        xs = sorted({x for x, _ in ground + design if lo <= x <= hi} | {lo, hi})
        for a, b in zip(xs, xs[1:]):
            da, db = value(ground, a) - value(design, a), value(ground, b) - value(design, b)
            parts = [(a, b, da, db)]
            if da * db < 0:  # split where the lines cross
                c = a + (b - a) * da / (da - db)
                parts = [(a, c, da, F(0)), (c, b, F(0), db)]
            for x0, x1, d0, d1 in parts:
                area = (d0 + d1) / 2 * (x1 - x0)
                if area > 0:
                    cut += area
                else:
                    fill -= area
    return cut, fill


def shoelace(points):
    s = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return abs(s) / 2


def surface(section, name):
    for node in section:
        if node.get("name") == name:
            return node
    return None


def main(path, alignment, ground, design, *materials):
    root = ET.parse(path).getroot()
    for al in root.iter(NS + "Alignment"):
        if al.get("name") != alignment:
            continue
        for section in al.iter(NS + "CrossSect"):
            row = [section.get("sta")]
            g, d = surface(section, ground), surface(section, design)
            if g is not None and d is not None:
                row += [str(v) for v in cut_fill(pieces(g), sum(pieces(d), []))]
            for name in materials:
                m = surface(section, name)
                if m is not None:
                    row.append(f"{name}={shoelace(sum(pieces(m), []))}")
            print(" ".join(row))


if __name__ == "__main__":
    main(*sys.argv[1:])
