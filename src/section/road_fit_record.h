// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a road design gave at one section when put on its ground: the
// figures of the 路基设计表 and what did not fit.

#include <optional>
#include <vector>

#include "section/road_design.h"

namespace section {

struct SideFit {
    SlopeKind kind = SlopeKind::Fill;
    double roadEdge = 0.0;  // distance of the road edge from the centre line (路基宽度 of the side)
    // Distance of the catch point from the centre line; none when the
    // slopes do not meet the ground within the ground line.
    std::optional<double> catchDistance{};
    bool operator==(const SideFit&) const = default;
};

enum class FitProblem {
    SlopeMisses,          // the side's slopes do not meet the ground line
    RoadWiderThanGround,  // the road edge lies beyond the ground line's end
    OutsideProfile,       // the section lies outside the 纵断面's range
    NoGroundAtCentre,     // the ground line does not reach the centre line
};

struct FitWarning {
    FitProblem problem = FitProblem::SlopeMisses;
    std::optional<RoadSide> side{};  // for the problems of one side
    bool operator==(const FitWarning&) const = default;
};

struct RoadFit {
    std::optional<double> groundElevation{};  // 地面高程 at the centre line
    double designElevation = 0.0;             // 设计高程 at the centre line
    SideFit left{};
    SideFit right{};
    std::vector<FitWarning> warnings{};
    bool operator==(const RoadFit&) const = default;
};

}  // namespace section
