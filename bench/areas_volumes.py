# SPDX-License-Identifier: GPL-3.0-or-later
# The same areas and volumes as `velmorin --results`, from the same survey file,
# with nothing but Python's csv module: the yardstick of bench/results_bench.
# Usage: python3 areas_volumes.py FILE  (a survey file with stations)
import csv
import sys


def main(path):
    sections = []  # [station, [(h, s), ...]]
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = csv.reader(f)
        next(rows)  # the header
        for key, h, s in rows:
            station = float(key)
            if not sections or sections[-1][0] != station:
                sections.append([station, []])
            sections[-1][1].append((float(h) + 10.0, float(s)))
    areas = []
    for _, points in sections:
        first = points[0][1]
        area = 0.0
        closed = points + points[:1]
        for (h1, s1), (h2, s2) in zip(closed, closed[1:]):
            area += (h2 + h1) * ((first - s2) - (first - s1)) / 2.0
        areas.append(area)
    total = 0.0
    out = sys.stdout
    out.write("断面,桩号,面积,间距,体积,累计体积\n")
    for i, (station, _) in enumerate(sections):
        if i + 1 < len(sections):
            spacing = sections[i + 1][0] - station
            volume = (areas[i + 1] + areas[i]) * spacing / 2.0
            out.write(f"{i + 1},{station},{areas[i]:.3f},{spacing:.3f},{volume:.3f},{total:.3f}\n")
            total += volume
        else:
            out.write(f"{i + 1},{station},{areas[i]:.3f},,,{total:.3f}\n")


main(sys.argv[1])
