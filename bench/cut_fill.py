# SPDX-License-Identifier: GPL-3.0-or-later
# The same cut and fill results as `velmorin --results`, from the same 里程文件,
# with nothing but Python's csv module: the yardstick of bench/cut_fill_bench.
# Usage: python3 cut_fill.py FILE.hdm
import csv
import sys


def ascending(line):
    return line if line[0][0] <= line[-1][0] else line[::-1]


def value_at(line, k, s):
    (s0, h0), (s1, h1) = line[k], line[k + 1]
    return h0 + (h1 - h0) * ((s - s0) / (s1 - s0))


def segment_from(line, at, k):
    while line[k + 1][0] <= at:
        k += 1
    return k


def strip(ea, eb, w):
    if ea >= 0 and eb >= 0:
        return (ea + eb) * w, 0.0
    if ea <= 0 and eb <= 0:
        return 0.0, -(ea + eb) * w
    share = w / (ea - eb)
    if ea > 0:
        return ea * ea * share, eb * eb * share
    return -eb * eb * share, -ea * ea * share


def areas(ground, design):
    if len(ground) < 2 or len(design) < 2:
        return None
    g, d = ascending(ground), ascending(design)
    lo, hi = max(g[0][0], d[0][0]), min(g[-1][0], d[-1][0])
    if not lo < hi:
        return None
    i, j = segment_from(g, lo, 0), segment_from(d, lo, 0)
    a = lo
    ga, da = value_at(g, i, a), value_at(d, j, a)
    cut = fill = 0.0
    while True:
        g_end, d_end = g[i + 1][0], d[j + 1][0]
        b = min(g_end, d_end)
        gb = g[i + 1][1] if g_end == b else value_at(g, i, b)
        db = d[j + 1][1] if d_end == b else value_at(d, j, b)
        c, f = strip(ga - da, gb - db, b - a)
        cut += c
        fill += f
        if b >= hi:
            break
        if g_end == b:
            i = segment_from(g, b, i + 1)
            gb = g[i][1]
        if d_end == b:
            j = segment_from(d, b, j + 1)
            db = d[j][1]
        a, ga, da = b, gb, db
    return cut / 2.0, fill / 2.0


def main(path):
    sections = []  # [station, ground, design]
    with open(path, newline="", encoding="utf-8-sig") as f:
        line = None
        for row in csv.reader(f):
            if not row:
                continue
            if row[0] == "BEGIN":
                sections.append([float(row[1].split(":")[0]), [], []])
                line = sections[-1][1]
            elif row[0] == "NEXT":
                line = sections[-1][2]
            else:
                line.append((-float(row[0]), float(row[1])))
    found = [areas(ground, design) for _, ground, design in sections]
    out = sys.stdout
    out.write("断面,桩号,挖方面积(平方米),填方面积(平方米),至下一断面间距(米),"
              "挖方体积(立方米),填方体积(立方米),累计挖方(立方米),累计填方(立方米)\n")
    total_cut = total_fill = 0.0
    for i, (station, _, _) in enumerate(sections):
        here = found[i]
        cells = [str(i + 1), f"{station:.3f}", f"{here[0]:.3f}" if here else "",
                 f"{here[1]:.3f}" if here else ""]
        running = [f"{total_cut:.3f}", f"{total_fill:.3f}"]
        if i + 1 < len(sections):
            spacing = sections[i + 1][0] - station
            cells.append(f"{spacing:.3f}")
            there = found[i + 1]
            if here and there:
                cut = (there[0] + here[0]) * spacing / 2.0
                fill = (there[1] + here[1]) * spacing / 2.0
                cells += [f"{cut:.3f}", f"{fill:.3f}"]
                total_cut += cut
                total_fill += fill
            else:
                cells += ["", ""]
        else:
            cells += ["", "", ""]
        out.write(",".join(cells + running) + "\n")


main(sys.argv[1])
