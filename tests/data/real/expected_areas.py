#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the figures expected.xml gives for this folder's files, worked out
# here apart from the program: every number the exact decimal it is written
# as; feet converted exactly and rounded to 0.1 mm (stated areas and volumes
# to four decimals), halves away from zero, as the program says it does; the
# names decoded by Python's own codecs. Cut: ground above design; fill:
# design above ground; only where both lines have points (a ground in pieces
# counts over its pieces only). A closed outline's area and its materials'
# by the shoelace formula. Prints each difference with the figure worked out
# here; exits 1 if there is one.
import csv
import math
import os
import re
import sys
import xml.etree.ElementTree as ET
from fractions import Fraction as F
from pathlib import Path

NS = "{http://www.landxml.org/schema/LandXML-1.2}"
HERE = os.path.dirname(os.path.abspath(__file__))
NOT_CORPUS = {"README.md", "expected.xml", "expected_areas.py"}
FEET = {"USSurveyFoot": F(1200, 3937), "foot": F(3048, 10000), "internationalFoot": F(3048, 10000)}


def rounded(value, places=4):
    scaled = abs(value) * 10**places
    whole = math.floor(scaled + F(1, 2))
    return F(whole if value >= 0 else -whole, 10**places)


def landxml(path):
    data = Path(path).read_bytes()
    if data.startswith((b"\xff\xfe", b"\xfe\xff")):
        text = data.decode("utf-16")
    else:
        declared = re.match(rb'<\?xml[^>]*encoding="([^"]+)"', data)
        text = data.decode(declared.group(1).decode() if declared else "utf-8")
    return ET.fromstring(re.sub(r"^\ufeff?<\?xml[^>]*\?>", "", text))


def pieces(surface, metres):
    out = [[(metres(a), metres(b)) for a, b in zip(*[iter(p.text.split())] * 2)]
           for p in surface.iter(NS + "PntList2D")]
    pnts = [tuple(metres(v) for v in p.text.split()) for p in surface.iter(NS + "CrossSectPnt")]
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
    return {"cut": cut, "fill": fill}


def shoelace(points):
    s = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return abs(s) / 2


def landxml_sections(path, read):
    root = landxml(path)
    imperial = root.find(f"{NS}Units/{NS}Imperial")
    foot = FEET[imperial.get("linearUnit")] if imperial is not None else None
    yard = imperial is not None and imperial.get("volumeUnit") == "cubicYard"
    metres = (lambda t: rounded(F(t) * foot)) if foot else F
    square, cube = (foot**2, foot**3 * (27 if yard else 1)) if foot else (None, None)
    unit = {"areaCut": square, "areaFill": square, "volumeCut": cube, "volumeFill": cube}
    project = root.find(NS + "Project")
    names = {"project": project.get("name", "") if project is not None else "",
             "segment": project.get("desc", "") if project is not None else ""}
    alignment = next(a for a in root.iter(NS + "Alignment")
                     if a.get("name") == read.get("alignment") and a.find(NS + "CrossSects") is not None)
    out = []
    for section in alignment.iter(NS + "CrossSect"):
        row = {"station": metres(section.get("sta")), "letters": "K"}
        for name, factor in unit.items():
            if section.get(name) is not None:
                row[name] = rounded(F(section.get(name)) * factor) if factor else F(section.get(name))
        closed = [s for s in section if s.get("closedArea") == "true"]
        if read.get("kind") == "closed":
            areas = [(s.get("name"), shoelace(sum(pieces(s, metres), []))) for s in closed]
            row["area"], row["materials"] = areas[0][1], areas[1:]
        else:
            surface = {s.get("name"): s for s in section if s.get("closedArea") != "true"}
            ground, design = surface.get(read.get("ground")), surface.get(read.get("design"))
            if ground is not None and design is not None:
                row.update(cut_fill(pieces(ground, metres), sum(pieces(design, metres), [])))
        out.append(row)
    return names, out


def station(text):
    letters, km, m = re.fullmatch(r"([A-Z]{0,3})(-?\d+)\+(\d+(?:\.\d*)?)", text).groups()
    return letters, F(km) * 1000 + F(m)


def add_point(section, line, s, h, code):
    section[line].append((F(s), F(h)))
    section[line + "-codes"].append(code)


def new_section(key):
    letters, metres = station(key) if "+" in key else ("K", F(key))
    return {"letters": letters, "station": metres, "ground": [], "design": [],
            "ground-codes": [], "design-codes": []}


def hdm_sections(path):
    out, line = [], "ground"
    for text in Path(path).read_text(encoding="utf-8").splitlines():
        cells = text.strip().split(",")
        if cells[0].upper() == "BEGIN":
            out.append(new_section(cells[1].split(":")[0]))
            line = "ground"
        elif cells[0].upper() == "NEXT":
            line = "design"
        elif cells[0]:
            add_point(out[-1], line, cells[0], cells[1], cells[2] if len(cells) > 2 else "")
    return {"project": "", "segment": ""}, out


def csv_sections(path):
    rows = list(csv.reader(Path(path).read_text(encoding="utf-8-sig").splitlines()))
    info = {"工程名称": "project", "路段": "segment"}
    names = {info[r[0]]: r[1] for r in rows if r[0] in info}
    header = next(k for k, r in enumerate(rows) if r[0] == "桩号")
    column = {name: k for k, name in enumerate(rows[header])}
    out, key = [], None
    for r in rows[header + 1:]:
        if r[0] != key:
            key = r[0]
            out.append(new_section(key))
        line = "ground" if r[column["线"]] == "地面线" else "design"
        add_point(out[-1], line, r[column["距离S"]], r[column["高程H"]], r[column["编码"]])
    return {"project": "", "segment": "", **names}, out


def text_sections(path):
    names, out = (hdm_sections if path.endswith(".hdm") else csv_sections)(path)
    for row in out:
        if row["ground"] and row["design"]:
            row.update(cut_fill([row["ground"]], row["design"]))
        for line in ("ground-codes", "design-codes"):
            row[line] = ",".join(row[line]) if any(row[line]) else None
    return names, out


def check(file, read, names, worked):
    faults = []

    def told(what, table, here):
        faults.append(f'{file.get("name")} {read.get("alignment", "")} {what}: '
                      f"{table} in the table, {here} here")

    for what in ("project", "segment"):
        if file.get(what, "") != names[what]:
            told(what, file.get(what), names[what])
    expected = read.findall("section")
    if len(expected) != len(worked):
        told("sections", len(expected), len(worked))
    for k, (row, mine) in enumerate(zip(expected, worked), 1):
        letters, metres = station(row.get("station"))
        if letters != mine["letters"] or metres != round(mine["station"], 3):
            told(f"section {k} station", row.get("station"), f'{mine["letters"]} {float(mine["station"])}')
        for figure in ("cut", "fill", "area", "areaCut", "areaFill", "volumeCut", "volumeFill"):
            table = F(row.get(figure)) if row.get(figure) is not None else None
            if table != mine.get(figure):
                told(f"section {k} {figure}", row.get(figure), mine.get(figure))
        for line in ("ground-codes", "design-codes"):
            if row.get(line) != mine.get(line):
                told(f"section {k} {line}", row.get(line), mine.get(line))
        materials = [(m.get("name"), F(m.get("area"))) for m in row.findall("material")]
        if materials != mine.get("materials", []):
            told(f"section {k} materials", materials, mine.get("materials"))
    return faults


def main():
    table = ET.parse(os.path.join(HERE, "expected.xml")).getroot()
    listed = [f.get("name") for f in table.findall("file")]
    faults = [f"{name}: no row in expected.xml" for name in sorted(os.listdir(HERE))
              if name not in NOT_CORPUS and name not in listed]
    for file in table.findall("file"):
        path = os.path.join(HERE, file.get("name"))
        for read in file.findall("read"):
            worked = landxml_sections(path, read) if path.endswith(".xml") else text_sections(path)
            faults += check(file, read, *worked)
    print("\n".join(faults) if faults else f"{len(listed)} files: the table's figures hold")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
