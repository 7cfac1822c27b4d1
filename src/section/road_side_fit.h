// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One side of a road design put on the ground: the plates out to the road
// edge, then (in cut) the ditch and the slopes stage by stage, walked
// outward together with the ground line until they meet.

#include <optional>
#include <span>
#include <vector>

#include "section/cut_fill_survey.h"
#include "section/road_slopes.h"
#include "section/road_template.h"

namespace section {

// The ground line as seen from the centre line toward one side: its points
// by distance outward (S on the left, -S on the right), whichever way the
// line was given. A view: the points stay where they are.
class SideGround {
  public:
    SideGround(std::span<const Point> ground, RoadSide side);

    int size() const { return size_; }
    double distance(int k) const { return sign_ * at(k).offset; }
    double elevation(int k) const { return at(k).elevation; }
    // The number of points at or inside `distance`.
    int passed(double distance) const;
    // The ground's elevation at `distance` given the points passed there;
    // nothing beyond either end.
    std::optional<double> elevationAt(double distance, int passed) const;
    std::optional<double> elevationAt(double distance) const {
        return elevationAt(distance, passed(distance));
    }

  private:
    const Point& at(int k) const { return points_[reversed_ ? size_ - 1 - k : k]; }
    const Point* points_;
    int size_;
    bool reversed_;
    double sign_;
};

struct SideOutcome {
    SideFit fit;
    std::optional<FitProblem> problem;
};

// What the design gives at one place along the road for one side.
struct SideDesign {
    const RoadTemplate& plates;
    RoadTemplate::Place place;
    const RoadSlopes& slopes;
    double chainage = 0.0;
};

// Appends the side's design line outward from the centre line (the centre
// itself not included) to `line`, as points of S.
SideOutcome fitSide(const SideDesign& design, RoadSide side, double centreElevation,
                    const SideGround& ground, std::vector<Point>& line);

}  // namespace section
