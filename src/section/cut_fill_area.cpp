// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area.h"

#include <algorithm>
#include <cstddef>

namespace section {

namespace {

// A line read in increasing S: a line given right to left is read from its
// end, without copying it.
struct Ascending {
    const LinePoint* first;  // the point read first
    std::ptrdiff_t step;     // +1 or -1
    std::size_t count;

    Ascending(std::span<const LinePoint> line) : first(line.data()), step(1), count(line.size()) {
        if (line.back().offset < line.front().offset) {
            first = line.data() + line.size() - 1;
            step = -1;
        }
    }
    double s(std::size_t k) const { return first[std::ptrdiff_t(k) * step].offset; }
    double h(std::size_t k) const { return first[std::ptrdiff_t(k) * step].elevation; }
    double lowest() const { return s(0); }
    double highest() const { return s(count - 1); }

    // The index k of the segment of positive width [s(k), s(k+1)] that starts
    // at or before `at`, where `at` lies below highest().
    std::size_t segmentFrom(double at, std::size_t k) const {
        while (s(k + 1) <= at) ++k;
        return k;
    }
    // The line's value at `at` inside segment k.
    double valueAt(std::size_t k, double at) const {
        const double s0 = s(k), h0 = h(k);
        return h0 + (h(k + 1) - h0) * ((at - s0) / (s(k + 1) - s0));
    }
};

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

CutFillAreas sweep(const Ascending& g, const Ascending& d, double lo, double hi) {
    std::size_t i = g.segmentFrom(lo, 0), j = d.segmentFrom(lo, 0);
    double a = lo;
    double ga = g.valueAt(i, a), da = d.valueAt(j, a);
    double cut = 0.0, fill = 0.0;
    for (;;) {
        const double gEnd = g.s(i + 1), dEnd = d.s(j + 1);
        const double b = std::min(gEnd, dEnd);
        const bool gAtEnd = gEnd == b, dAtEnd = dEnd == b;
        double gb = gAtEnd ? g.h(i + 1) : g.valueAt(i, b);
        double db = dAtEnd ? d.h(j + 1) : d.valueAt(j, b);
        addStrip(ga - da, gb - db, b - a, cut, fill);
        if (b >= hi) break;
        // Past the breakpoint and any vertical step there: the values on
        // its right.
        if (gAtEnd) {
            i = g.segmentFrom(b, i + 1);
            gb = g.h(i);
        }
        if (dAtEnd) {
            j = d.segmentFrom(b, j + 1);
            db = d.h(j);
        }
        a = b;
        ga = gb;
        da = db;
    }
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
    const Ascending g(ground), d(design);
    const double lo = std::max(g.lowest(), d.lowest());
    const double hi = std::min(g.highest(), d.highest());
    if (!(lo < hi)) return result;
    result.areas = sweep(g, d, lo, hi);
    return result;
}

}  // namespace section
