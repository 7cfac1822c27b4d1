#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The section drawings read by ezdxf, a DXF library nobody here wrote: the file
# recovers and audits without errors, is R2007 (UTF-8), has the Chinese layers,
# and every section shows its text and, inside one frame, its lines at 1:1,
# moved as one (the same shift for every line, the centre line at x = shift).
# Usage: dxf_test.py FOLDER (with NAME.dxf and NAME.expected from write_dxf_samples)
import sys
from pathlib import Path

import ezdxf
from ezdxf import recover

LAYERS = ["地面线", "设计线", "断面线", "中线", "标注", "图框"]
failures = []


def check(what, ok):
    if not ok:
        failures.append(what)


def expected_sections(path):
    sections = []
    for row in path.read_text(encoding="utf-8").splitlines():
        kind, *rest = row.split("\t")
        if kind == "section":
            sections.append({"label": rest[0], "lines": []})
        else:
            layer, closed, numbers = rest
            values = [float(v) for v in numbers.split()]
            sections[-1]["lines"].append((layer, closed == "1", list(zip(values[0::2], values[1::2]))))
    return sections


def inside(frame, x, y):
    xs = [p[0] for p in frame]
    ys = [p[1] for p in frame]
    return min(xs) <= x <= max(xs) and min(ys) <= y <= max(ys)


def shift_of(vertices, points):
    if len(vertices) != len(points):
        return None
    dx, dy = vertices[0][0] - points[0][0], vertices[0][1] - points[0][1]
    for (vx, vy), (px, py) in zip(vertices, points):
        if abs(vx - px - dx) > 1e-9 * max(1, abs(dx)) or abs(vy - py - dy) > 1e-9 * max(1, abs(dy)):
            return None
    return dx, dy


def check_file(dxf_path, expected_path):
    name = dxf_path.name
    doc, auditor = recover.readfile(str(dxf_path))
    check(f"{name}: recover reports errors {[e.message for e in auditor.errors]}", not auditor.has_errors)
    audit = doc.audit()
    check(f"{name}: audit reports errors {[e.message for e in audit.errors]}", not audit.has_errors)
    check(f"{name}: version {doc.dxfversion}", doc.dxfversion == "AC1021")
    for layer in LAYERS:
        check(f"{name}: layer {layer} missing", layer in doc.layers)
    msp = doc.modelspace()
    polylines = [(e.dxf.layer, e.closed, [(p[0], p[1]) for p in e.get_points("xy")])
                 for e in msp.query("LWPOLYLINE")]
    frames = [p for layer, _, p in polylines if layer == "图框"]
    texts = [(e.dxf.text, e.dxf.insert) for e in msp.query("TEXT") if e.dxf.layer == "标注"]
    sections = expected_sections(expected_path)
    check(f"{name}: {len(frames)} frames for {len(sections)} sections", len(frames) == len(sections))
    for section in sections:
        found = [t for t in texts if t[0] == section["label"]]
        check(f"{name}: text {section['label']!r} not found", len(found) == 1)
        if len(found) != 1:
            continue
        x, y = found[0][1][0], found[0][1][1]
        frame = [f for f in frames if inside(f, x, y)]
        check(f"{name}: {section['label']}: in {len(frame)} frames", len(frame) == 1)
        if len(frame) != 1:
            continue
        mine = [p for p in polylines if p[0] != "图框" and all(inside(frame[0], *v) for v in p[2])]
        shifts = set()
        for layer, closed, points in section["lines"]:
            matches = [shift_of(v, points) for l, c, v in mine if l == layer and c == closed]
            matches = [m for m in matches if m]
            check(f"{name}: {section['label']}: {layer} not drawn as given", len(matches) == 1)
            shifts.update(matches)
        centre = [v for l, _, v in mine if l == "中线"]
        check(f"{name}: {section['label']}: {len(centre)} centre lines", len(centre) == 1)
        drawn = [l for l, _, _ in mine if l not in ("中线",)]
        check(f"{name}: {section['label']}: lines {drawn}", len(drawn) == len(section["lines"]))
        check(f"{name}: {section['label']}: lines moved apart {shifts}", len(shifts) <= 1)
        if shifts and centre:
            dx = next(iter(shifts))[0]
            check(f"{name}: {section['label']}: centre line not at S = 0",
                  all(abs(v[0] - dx) < 1e-9 * max(1, abs(dx)) for v in centre[0]))


folder = Path(sys.argv[1])
for stem in ("closed", "cutfill"):
    check_file(folder / f"{stem}.dxf", folder / f"{stem}.expected")
for failure in failures:
    print("FAILED:", failure)
if not failures:
    print("OK")
sys.exit(1 if failures else 0)
