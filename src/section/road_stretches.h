// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stretches of road in continuous chainage, for the rows of a road design
// that hold between two stations as written (土石分类, 构造物).

#include <vector>

#include "section/chainage.h"
#include "section/road_design.h"

namespace section {

struct Stretch {
    double from = 0.0;
    double to = 0.0;
    double length() const { return to - from; }
};

// The range's ends placed along the road as two stations in road order.
Stretch placedStretch(const Chainage& chainage, const StationRange& range);

// The length the two stretches have in common; 0 when they only touch.
double overlap(const Stretch& a, const Stretch& b);

// The parts of `stretch` outside all of `left`, in order.
std::vector<Stretch> outside(const Stretch& stretch, const std::vector<Stretch>& left);

}  // namespace section
