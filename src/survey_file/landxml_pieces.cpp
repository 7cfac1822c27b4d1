// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/landxml_pieces.h"

#include <algorithm>
#include <optional>

namespace survey_file {

namespace {

using section::Point;

// The elevation of a line at `s`, linear between its points; nothing where
// it does not reach. At a vertical step, the value after it.
std::optional<double> elevationAt(std::span<const Point> line, double s) {
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const Point& a = line[k];
        const Point& b = line[k + 1];
        if (s < std::min(a.offset, b.offset) || s > std::max(a.offset, b.offset)) continue;
        if (a.offset == b.offset) return b.elevation;
        if (s == b.offset) return b.elevation;
        return a.elevation + (b.elevation - a.elevation) * (s - a.offset) / (b.offset - a.offset);
    }
    return std::nullopt;
}

// The other line from `from` to `to`: its value at each end where it has one
// and its own points between, in the direction from → to.
std::vector<Point> courseBetween(std::span<const Point> other, double from, double to) {
    std::vector<Point> course;
    const double low = std::min(from, to), high = std::max(from, to);
    for (const Point& point : other)
        if (point.offset > low && point.offset < high) course.push_back(point);
    std::stable_sort(course.begin(), course.end(), [&](const Point& a, const Point& b) {
        return from < to ? a.offset < b.offset : a.offset > b.offset;
    });
    if (const std::optional<double> at = elevationAt(other, from))
        course.insert(course.begin(), {*at, from});
    if (const std::optional<double> at = elevationAt(other, to)) course.push_back({*at, to});
    return course;
}

}  // namespace

std::vector<Piece> joinTouching(std::vector<Piece> pieces) {
    std::vector<Piece> out;
    for (Piece& piece : pieces) {
        if (piece.empty()) continue;
        if (!out.empty() && out.back().back() == piece.front())
            out.back().insert(out.back().end(), piece.begin() + 1, piece.end());
        else
            out.push_back(std::move(piece));
    }
    return out;
}

Piece bridged(const std::vector<Piece>& pieces, std::span<const Point> other,
              std::vector<LineGap>& gaps) {
    Piece line;
    for (const Piece& piece : pieces) {
        if (!line.empty()) {
            const LineGap gap{line.back().offset, piece.front().offset};
            gaps.push_back(gap);
            const std::vector<Point> course = courseBetween(other, gap.from, gap.to);
            line.insert(line.end(), course.begin(), course.end());
        }
        line.insert(line.end(), piece.begin(), piece.end());
    }
    return line;
}

}  // namespace survey_file
