// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area.h"

#include <cstddef>

#include "section/cut_fill_sweep.h"

namespace section {

namespace {

// Twice the cut and twice the fill of a strip of width w where ground minus
// design runs linearly from ea to eb.
inline void addStrip(double ea, double eb, double w, double& cut, double& fill) {
    if (ea >= 0.0 && eb >= 0.0) {
        cut += (ea + eb) * w;
    } else if (ea <= 0.0 && eb <= 0.0) {
        fill -= (ea + eb) * w;
    } else {
        // The lines cross inside: a triangle either side, split where the
        // difference is zero. ea - eb has no cancellation, the signs differ.
        const double share = w / (ea - eb);
        if (ea > 0.0) {
            cut += ea * ea * share;
            fill += eb * eb * share;
        } else {
            fill -= ea * ea * share;
            cut -= eb * eb * share;
        }
    }
}

CutFillAreas areasOf(const sweep::Lines& lines) {
    double cut = 0.0, fill = 0.0;
    sweep::forEachStrip(lines, [&](double a, double b, double ga, double da, double gb, double db) {
        addStrip(ga - da, gb - db, b - a, cut, fill);
    });
    return {cut / 2.0, fill / 2.0};
}

}  // namespace

int pointGoingBack(std::span<const LinePoint> line) {
    const std::size_t n = line.size();
    std::size_t k = 1;
    while (k < n && line[k].offset == line[k - 1].offset) ++k;
    if (k >= n) return 0;
    const bool rising = line[k].offset > line[k - 1].offset;
    // Branch-free scan; the culprit is looked for only when there is one.
    bool back = false;
    for (std::size_t m = k + 1; m < n; ++m)
        back |= rising ? line[m].offset < line[m - 1].offset : line[m].offset > line[m - 1].offset;
    if (!back) return 0;
    for (std::size_t m = k + 1;; ++m) {
        if (rising ? line[m].offset < line[m - 1].offset : line[m].offset > line[m - 1].offset)
            return static_cast<int>(m) + 1;
    }
}

SectionCutFill cutFillAreas(std::span<const LinePoint> ground, std::span<const LinePoint> design) {
    SectionCutFill result;
    if (const int point = pointGoingBack(ground)) {
        result.backStep = BackStep{LineKind::Ground, point};
    } else if (const int designPoint = pointGoingBack(design)) {
        result.backStep = BackStep{LineKind::Design, designPoint};
    }
    if (result.backStep || ground.size() < 2 || design.size() < 2) return result;
    if (const auto lines = sweep::overlapping(ground, design)) result.areas = areasOf(*lines);
    return result;
}

}  // namespace section
