// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outlines of the cut and the fill regions of one cross-section, for a
// drawing: the regions whose areas cutFillAreas works out. Each region is a
// maximal run of S where the ground stays on one side of the design, split
// exactly where the lines cross and closed by vertical lines at the ends of
// the common range of S (or at a vertical step where the lines change
// sides). A stretch where the lines coincide belongs to neither.

#include <span>
#include <vector>

#include "section/cut_fill_survey.h"

namespace section {

struct CutFillRegions {
    // Each outline runs along the upper line left to right (in increasing S),
    // then back along the lower one; its first point is not repeated.
    std::vector<std::vector<Point>> cut;   // the ground above the design
    std::vector<std::vector<Point>> fill;  // the design above the ground
};

// Empty when the section has no areas: a line goes back in S or has fewer
// than two points, or the lines do not overlap.
CutFillRegions cutFillRegions(std::span<const Point> ground, std::span<const Point> design);

}  // namespace section
