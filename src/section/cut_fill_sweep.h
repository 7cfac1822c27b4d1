// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a ground line and a design line together in increasing S, as the
// cut and fill areas and the outlines of the cut and fill regions do: the
// lines' common range, and the merge sweep the outlines are traced by, cut
// into strips at every point of either, each strip handed on with the
// lines' values at its two sides. (The areas have their own sweep, without
// branches, over the same strips.)

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>

#include "runtime/exact_decimal.h"
#include "section/cut_fill_survey.h"

namespace section::sweep {

// A line read in increasing S: a line given right to left is read from its
// end, without copying it.
struct Ascending {
    const Point* first;   // the point read first
    std::ptrdiff_t step;  // +1 or -1
    std::size_t count;

    explicit Ascending(std::span<const Point> line)
        : first(line.data()), step(1), count(line.size()) {
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
    // Segment k's width, and the line's value at `at` times it, exactly
    // from the values entered.
    runtime::ExactDecimal exactWidth(std::size_t k) const {
        return runtime::ExactDecimal::of(s(k + 1)) - runtime::ExactDecimal::of(s(k));
    }
    runtime::ExactDecimal timesWidth(std::size_t k, double at) const {
        using runtime::ExactDecimal;
        const ExactDecimal x = ExactDecimal::of(at);
        return ExactDecimal::of(h(k)) * (ExactDecimal::of(s(k + 1)) - x) +
               ExactDecimal::of(h(k + 1)) * (x - ExactDecimal::of(s(k)));
    }
    // The line's value at `at` inside segment k.
    double valueAt(std::size_t k, double at) const {
        const double s0 = s(k), h0 = h(k);
        return h0 + (h(k + 1) - h0) * ((at - s0) / (s(k + 1) - s0));
    }
};

// Two lines that keep each to one direction in S and have two points or more.
struct Lines {
    Ascending ground;
    Ascending design;
    double lo;  // the range of S where both exist
    double hi;
};

// The lines with their common range; none when it has no width.
inline std::optional<Lines> overlapping(std::span<const Point> ground,
                                        std::span<const Point> design) {
    const Ascending g(ground), d(design);
    const double lo = std::max(g.lowest(), d.lowest());
    const double hi = std::min(g.highest(), d.highest());
    if (!(lo < hi)) return std::nullopt;
    return Lines{g, d, lo, hi};
}

// Calls visit(a, b, i, j) for each strip [a, b] from lo to hi, left to
// right, cut at every point of either line: i and j are the segments of
// positive width of the ground and the design that span it, so a vertical
// step ends one strip and starts the next.
template <class Visit>
void forEachSegmentPair(const Lines& lines, Visit&& visit) {
    const Ascending& g = lines.ground;
    const Ascending& d = lines.design;
    std::size_t i = g.segmentFrom(lines.lo, 0), j = d.segmentFrom(lines.lo, 0);
    for (double a = lines.lo;;) {
        const double b = std::min(g.s(i + 1), d.s(j + 1));
        visit(a, b, i, j);
        if (b >= lines.hi) break;
        if (g.s(i + 1) == b) i = g.segmentFrom(b, i + 1);
        if (d.s(j + 1) == b) j = d.segmentFrom(b, j + 1);
        a = b;
    }
}

// Strips handed on in increasing S joined into pieces, each on one segment
// of a line: piece(k, from, to) is called for a piece when the next strip
// does not go on with it, and for the last at close().
template <class Position>
class SegmentPieces {
  public:
    using Piece = std::function<void(std::size_t k, Position from, Position to)>;
    explicit SegmentPieces(Piece piece) : piece_(std::move(piece)) {}

    void add(std::size_t k, Position a, Position b) {
        if (open_ && k == k_ && a == to_) {
            to_ = b;
            return;
        }
        close();
        open_ = true;
        k_ = k;
        from_ = a;
        to_ = b;
    }
    void close() {
        if (open_) piece_(k_, from_, to_);
        open_ = false;
    }

  private:
    Piece piece_;
    bool open_ = false;
    std::size_t k_ = 0;
    Position from_{}, to_{};
};

// Calls visit(a, b, ga, da, gb, db) for each strip [a, b] as above, where
// ga, da are the ground's and the design's values just right of a and gb,
// db just left of b: the values of the points there, else on the segment.
template <class Visit>
void forEachStrip(const Lines& lines, Visit&& visit) {
    const Ascending& g = lines.ground;
    const Ascending& d = lines.design;
    const auto value = [](const Ascending& line, std::size_t k, double at) {
        return at == line.s(k)       ? line.h(k)
               : at == line.s(k + 1) ? line.h(k + 1)
                                     : line.valueAt(k, at);
    };
    forEachSegmentPair(lines, [&](double a, double b, std::size_t i, std::size_t j) {
        visit(a, b, value(g, i, a), value(d, j, a), value(g, i, b), value(d, j, b));
    });
}

}  // namespace section::sweep
