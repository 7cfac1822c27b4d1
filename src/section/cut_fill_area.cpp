// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <system_error>
#include <thread>

#include "section/cut_fill_sweep.h"

namespace section {

namespace {

// The areas' sweep works on both lines at once: lane 0 the ground, lane 1
// the design (GCC and Clang vector extensions, two doubles to a register on
// any target). Each strip is worked out without a branch, so that the lines
// crossing at random cost no mispredicted jumps.
using Pair = double __attribute__((vector_size(16)));
using PairMask = long long __attribute__((vector_size(16)));

Pair pointAt(const Point* point) {
    static_assert(sizeof(Point) == 16 && offsetof(Point, offset) == 8);
    Pair value;  // (H, S)
    __builtin_memcpy(&value, point, sizeof value);
    return value;
}
Pair larger(Pair a, Pair b) {
    return a > b ? a : b;
}

// Where a sweep over part of the range stands: the segment each line is on
// (as a pointer to its first point, each line read in increasing S), the
// left side of the strip to come with ground minus design just right of it,
// and twice the cut and twice the fill so far.
struct Sweep {
    const Point* ground;
    const Point* design;
    double from;
    double difference;
    Pair twice{0.0, 0.0};
    PairMask back{0, 0};  // lanes set where a segment passed goes back in S
};

// One strip, from the sweep's left side to the nearer of the lines' next
// points (or `to`); true while `to` is not reached. A vertical step is a
// strip of no width from the value before it to the value after it.
template <std::ptrdiff_t GroundStep, std::ptrdiff_t DesignStep>
inline bool nextStrip(Sweep& sweep, double to) {
    const Pair g0 = pointAt(sweep.ground), g1 = pointAt(sweep.ground + GroundStep);
    const Pair d0 = pointAt(sweep.design), d1 = pointAt(sweep.design + DesignStep);
    const Pair s0 = __builtin_shufflevector(g0, d0, 1, 3),
               s1 = __builtin_shufflevector(g1, d1, 1, 3);
    const Pair h0 = __builtin_shufflevector(g0, d0, 0, 2),
               h1 = __builtin_shufflevector(g1, d1, 0, 2);
    sweep.back |= s1 < s0;
    const double b = std::min(std::min(s1[0], s1[1]), to);
    const Pair at = {b, b};
    // Each line's value at b: its next point where that is b (the value
    // before a step there), else on its segment. The other lane's quotient
    // may be 0 / 0; it is not taken.
    const Pair value = s1 <= at ? h1 : h0 + (h1 - h0) * ((at - s0) / (s1 - s0));
    const double difference = value[0] - value[1];
    // Ground minus design runs linearly from ea to eb over the strip: its
    // parts above and below zero (up and down, summed over both sides)
    // give twice the cut and twice the fill as up² and down² times
    // width / (up + down), which is exact on either side of a crossing and
    // the trapezoid where there is none.
    const Pair e = {sweep.difference, difference};
    const Pair zero = {0.0, 0.0};
    const Pair above = larger(e, zero), below = larger(-e, zero);
    const Pair upDown =
        __builtin_shufflevector(above, below, 0, 2) + __builtin_shufflevector(above, below, 1, 3);
    const double share = (b - sweep.from) / std::max(upDown[0] + upDown[1], 1e-300);
    sweep.twice += upDown * upDown * share;
    // On past the next point of either line at b, both where they meet.
    const double gs = s1[0], ds = s1[1];
    sweep.ground += (gs <= ds) * GroundStep;
    sweep.design += (ds <= gs) * DesignStep;
    sweep.from = b;
    sweep.difference = difference;
    return b < to;
}

// The segment k of positive width with s(k) <= at < s(k + 1), for
// lowest() <= at < highest(). Halving keeps that bracket whatever the order
// of the points between, so a line that goes back in S is still read within
// its points (and its areas then thrown away).
std::size_t segmentAt(const sweep::Ascending& line, double at) {
    std::size_t low = 0, high = line.count - 1;
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        (line.s(middle) <= at ? low : high) = middle;
    }
    return low;
}

// The part of the range from `from` to `to` (lo <= from < to <= hi): twice
// its cut and fill, the segments it passed on each line (first and last,
// as indices in increasing S), and whether any of them goes back.
struct Part {
    Pair twice{0.0, 0.0};
    bool back = false;
    std::size_t groundFirst = 0, groundLast = 0, designFirst = 0, designLast = 0;
};

template <std::ptrdiff_t GroundStep, std::ptrdiff_t DesignStep>
Part partOf(const sweep::Lines& lines, double from, double to) {
    const sweep::Ascending& g = lines.ground;
    const sweep::Ascending& d = lines.design;
    Part part;
    part.groundFirst = segmentAt(g, from);
    part.designFirst = segmentAt(d, from);
    Sweep sweep{g.first + std::ptrdiff_t(part.groundFirst) * GroundStep,
                d.first + std::ptrdiff_t(part.designFirst) * DesignStep, from,
                g.valueAt(part.groundFirst, from) - d.valueAt(part.designFirst, from)};
    while (nextStrip<GroundStep, DesignStep>(sweep, to)) {
    }
    part.twice = sweep.twice;
    part.back = sweep.back[0] || sweep.back[1];
    part.groundLast = std::size_t((sweep.ground - g.first) / GroundStep);
    part.designLast = std::size_t((sweep.design - d.first) / DesignStep);
    return part;
}

Part partOf(const sweep::Lines& lines, double from, double to) {
    const bool groundRises = lines.ground.step > 0, designRises = lines.design.step > 0;
    if (groundRises && designRises) return partOf<1, 1>(lines, from, to);
    if (groundRises) return partOf<1, -1>(lines, from, to);
    if (designRises) return partOf<-1, 1>(lines, from, to);
    return partOf<-1, -1>(lines, from, to);
}

// Whether a line's segments from..to (indices in increasing S) keep to it.
bool ascendingOver(const sweep::Ascending& line, std::size_t from, std::size_t to) {
    bool ascending = true;
    for (std::size_t k = from; k < to; ++k) ascending &= line.s(k) <= line.s(k + 1);
    return ascending;
}

// Whether both lines keep to increasing S: the parts (in increasing S)
// looked at the segments they passed, the others are looked at here.
bool inOrder(const sweep::Lines& lines, std::initializer_list<Part> parts) {
    std::size_t ground = 0, design = 0;  // the first segments not looked at yet
    bool ascending = true;
    for (const Part& part : parts) {
        ascending &= !part.back && ascendingOver(lines.ground, ground, part.groundFirst) &&
                     ascendingOver(lines.design, design, part.designFirst);
        ground = std::max(ground, part.groundLast);
        design = std::max(design, part.designLast);
    }
    return ascending && ascendingOver(lines.ground, ground, lines.ground.count - 1) &&
           ascendingOver(lines.design, design, lines.design.count - 1);
}

// Sections of this many points and more are swept in two halves, the second
// on a thread of its own; the halves are the same whether a thread is free
// or not, so a section's areas do not depend on the machine.
constexpr std::size_t kPointsForTwoHalves = std::size_t(1) << 16;

// Twice the cut and fill, or none when a line goes back in S.
std::optional<Pair> twiceTheAreas(const sweep::Lines& lines) {
    // Halfway along the common range: the same whichever line is which, so
    // that swapping ground and design swaps cut and fill exactly.
    const double middle = lines.lo + (lines.hi - lines.lo) / 2.0;
    if (lines.ground.count + lines.design.count < kPointsForTwoHalves ||
        !(lines.lo < middle && middle < lines.hi)) {
        const Part whole = partOf(lines, lines.lo, lines.hi);
        if (!inOrder(lines, {whole})) return std::nullopt;
        return whole.twice;
    }
    Part right;
    const auto sweepRight = [&] { right = partOf(lines, middle, lines.hi); };
    std::thread helper;
    try {
        helper = std::thread(sweepRight);
    } catch (const std::system_error&) {
        sweepRight();  // no thread to be had: the same half, here
    }
    const Part left = partOf(lines, lines.lo, middle);
    if (helper.joinable()) helper.join();
    if (!inOrder(lines, {left, right})) return std::nullopt;
    return left.twice + right.twice;
}

}  // namespace

int pointGoingBack(std::span<const Point> line) {
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

SectionCutFill cutFillAreas(std::span<const Point> ground, std::span<const Point> design) {
    SectionCutFill result;
    if (ground.size() >= 2 && design.size() >= 2) {
        // The sweep checks the order of the points as it goes; only a line
        // that goes back is read again, to name the point.
        const auto lines = sweep::overlapping(ground, design);
        std::optional<Pair> twice;
        if (lines && (twice = twiceTheAreas(*lines))) {
            result.areas = CutFillAreas{(*twice)[0] / 2.0, (*twice)[1] / 2.0};
            return result;
        }
    }
    if (const int point = pointGoingBack(ground)) {
        result.backStep = BackStep{LineKind::Ground, point};
    } else if (const int designPoint = pointGoingBack(design)) {
        result.backStep = BackStep{LineKind::Design, designPoint};
    }
    return result;
}

}  // namespace section
