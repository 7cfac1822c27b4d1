// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cut and fill areas of one cross-section from its ground line and its
// design line.
//
// Each line is a list of points in order of S, left to right or right to
// left; equal S one after another is a vertical step. Both lines are linear
// between their points. Over the range of S where both lines exist, the cut
// is the area where the ground lies above the design and the fill the area
// where the design lies above the ground, split exactly where the lines
// cross; at the ends of the range the region is closed by vertical lines. A
// vertical step has no width and so adds nothing itself: only its values
// either side count.
//
// One merge sweep over both lines in 64-bit floating point, after a pass
// over each that checks its order.

#include <optional>
#include <span>

#include "section/cut_fill_survey.h"

namespace section {

enum class LineKind { Ground, Design };

// A line that goes back in S: its point `point` (1-based, in the order
// given) runs against the direction the line started in.
struct BackStep {
    LineKind line = LineKind::Ground;
    int point = 0;
    bool operator==(const BackStep&) const = default;
};

struct SectionCutFill {
    // None when a line goes back in S, a line has fewer than two points, or
    // the lines do not overlap in S (a range of no width included).
    std::optional<CutFillAreas> areas;
    std::optional<BackStep> backStep;  // the first, ground line first
};

SectionCutFill cutFillAreas(std::span<const Point> ground, std::span<const Point> design);

// The first point (1-based) of a line that goes back in S, or 0 when the
// line keeps to one direction.
int pointGoingBack(std::span<const Point> line);

}  // namespace section
