// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 纵断面 by continuous chainage: straight grades between 变坡点 and at
// each inner 变坡点 with a radius a symmetric quadratic vertical curve:
// ω = i2 - i1, L = R·|ω|, T = L/2, at x from the curve's start the
// tangent of the grade before plus x²/(2R) for a sag, less for a crest.

#include <optional>
#include <variant>
#include <vector>

#include "section/chainage.h"
#include "section/road_design.h"

namespace section {

class RoadProfile {
  public:
    RoadProfile() = default;
    // Refuses 变坡点 not in order of chainage, a radius at either end or
    // not above 0, and vertical curves that overlap each other or reach
    // past an end.
    static std::variant<RoadProfile, DesignFault> make(const std::vector<GradePoint>& points,
                                                       const Chainage& chainage);

    bool empty() const { return vertices_.empty(); }
    // Nothing outside the 变坡点's range.
    std::optional<double> elevation(double chainage) const;
    // The elevation at the nearest end, for chainages outside the range.
    double nearestEndElevation(double chainage) const;

  private:
    struct Vertex {
        double chainage = 0.0;
        double elevation = 0.0;
        double grade = 0.0;    // to the next 变坡点
        double tangent = 0.0;  // T of its curve; 0 without one
        double bend = 0.0;     // ±1/(2R): + for a sag, - for a crest
    };
    std::vector<Vertex> vertices_;
};

}  // namespace section
