#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The 横断面图 sheets read by ezdxf, a DXF library nobody here wrote: the file
# reads and audits without errors, is R2007 in metres, has every layer in its
# colour, every section's block with its base where its insert puts it, the
# entities and texts of every block and of model space on their layers, and
# hatches whose outlines enclose the cut and fill areas the calculation
# worked out (to 0.001 m²), in patterns that cross each other.
# Usage: sheet_dxf_test.py FOLDER (with NAME.dxf and NAME.expected from
# write_sheet_dxf_samples)
import math
import sys
from collections import Counter
from pathlib import Path

import ezdxf

failures = []


def check(what, ok):
    if not ok:
        failures.append(what)


def near(a, b, tolerance=1e-9):
    return abs(a - b) <= tolerance * max(1.0, abs(a), abs(b))


def shoelace(points):
    return abs(sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))) / 2


def rows(path, kind):
    return [row.split("\t")[1:] for row in path.read_text(encoding="utf-8").splitlines()
            if row.split("\t")[0] == kind]


def check_file(dxf_path, expected_path):
    name = dxf_path.name
    doc = ezdxf.readfile(str(dxf_path))
    audit = doc.audit()
    check(f"{name}: audit reports errors {[e.message for e in audit.errors]}", not audit.has_errors)
    check(f"{name}: version {doc.dxfversion}", doc.dxfversion == "AC1021")
    check(f"{name}: $INSUNITS {doc.header.get('$INSUNITS')}", doc.header.get("$INSUNITS") == 6)
    for layer, colour in rows(expected_path, "layer"):
        check(f"{name}: layer {layer} missing or not colour {colour}",
              layer in doc.layers and doc.layers.get(layer).color == int(colour))

    msp = doc.modelspace()
    inserts = [(e.dxf.name, e.dxf.insert) for e in msp.query("INSERT")]
    expected_inserts = rows(expected_path, "insert")
    check(f"{name}: {len(inserts)} inserts for {len(expected_inserts)}",
          len(inserts) == len(expected_inserts))
    for block, x, y, base_x, base_y in expected_inserts:
        found = [at for n, at in inserts if n == block]
        check(f"{name}: {block} not inserted once at {x}, {y}",
              len(found) == 1 and near(found[0].x, float(x)) and near(found[0].y, float(y)))
        definition = doc.blocks.get(block)
        check(f"{name}: {block} has no definition", definition is not None)
        if definition is None:
            continue
        base = definition.block.dxf.base_point
        check(f"{name}: {block} base {base}", near(base.x, float(base_x)) and near(base.y, float(base_y)))
        check(f"{name}: {block} units {definition.block_record.dxf.units}",
              definition.block_record.dxf.units == 6)

    def layout(owner):
        return msp if owner == "*Model_Space" else doc.blocks.get(owner)

    expected_counts = Counter()
    for owner, layer, kind, count in rows(expected_path, "count"):
        expected_counts[owner, layer, kind] = int(count)
    owners = {owner for owner, _, _ in expected_counts} | {"*Model_Space"}
    counts = Counter((owner, e.dxf.layer, e.dxftype()) for owner in owners for e in layout(owner)
                     if e.dxftype() != "INSERT")
    check(f"{name}: entities per layer {counts - expected_counts} and not {expected_counts - counts}",
          counts == expected_counts)

    for owner, align, x, y, text in rows(expected_path, "text"):
        found = [e for e in layout(owner).query("TEXT") if e.dxf.text == text]
        at = [e.dxf.align_point if e.dxf.halign else e.dxf.insert for e in found]
        check(f"{name}: {owner}: text {text!r} not at {x}, {y} aligned {align}",
              any(e.dxf.halign == int(align) and near(p.x, float(x)) and near(p.y, float(y))
                  for e, p in zip(found, at)))

    angles = set()
    for block, cut, fill in rows(expected_path, "area"):
        areas = Counter()
        for hatch in doc.blocks.get(block).query("HATCH"):
            check(f"{name}: {block}: hatch associative or solid",
                  not hatch.dxf.associative and not hatch.dxf.solid_fill)
            lines = hatch.pattern.lines if hatch.pattern else []
            check(f"{name}: {block}: hatch of {len(lines)} pattern lines", len(lines) == 1)
            angles.update((hatch.dxf.layer, line.angle % 180) for line in lines)
            for path in hatch.paths:
                areas[hatch.dxf.layer] += shoelace([(x, y) for x, y, _ in path.vertices])
        for layer, area in (("挖方", cut), ("填方", fill)):
            check(f"{name}: {block}: {layer} hatched {areas[layer]} for {area}",
                  abs(areas[layer] - float(area)) <= 0.001)
    check(f"{name}: cut and fill hatched alike {angles}", len(angles) == 2 and
          len({angle for _, angle in angles}) == 2)

    low, high = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    points = [at for _, at in inserts] + [p for e in msp.query("LWPOLYLINE") for p in e.get_points("xy")]
    outside = [p for p in points if not (low[0] <= p[0] <= high[0] and low[1] <= p[1] <= high[1])]
    check(f"{name}: outside $EXTMIN {low} $EXTMAX {high}: {outside[:3]}", not outside)
    view = doc.viewports.get("*Active")[0].dxf
    check(f"{name}: the view at {view.center} of height {view.height} misses the sheets",
          view.height >= high[1] - low[1] and view.height * view.aspect_ratio >= high[0] - low[0] and
          math.isclose(view.center[0], (low[0] + high[0]) / 2))


folder = Path(sys.argv[1])
for expected in sorted(folder.glob("*.expected")):
    check_file(expected.with_suffix(".dxf"), expected)
check("no sheets written", any(folder.glob("*.expected")))
for failure in failures:
    print("FAILED:", failure)
if not failures:
    print("OK")
sys.exit(1 if failures else 0)
