// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The road design put on the surveyed ground of a section ("戴帽"): the
// centre at the 纵断面's elevation, the 路幅 plates out to each road edge,
// then in cut the ditch, and the slopes stage by stage, each met with the
// ground line (linear between its points), ending at the catch point (坡脚
// in fill, 坡口 in cut). A side is in fill where the ground at its road edge
// lies below the edge, in cut where it lies above.

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "section/chainage.h"
#include "section/cut_fill_survey.h"
#include "section/road_design.h"
#include "section/road_fit_record.h"

namespace section {

struct FittedDesign {
    // The design line in order of increasing S: from the right catch point
    // through the road to the left one, with the ditch and berm vertices
    // between.
    std::vector<Point> line;
    RoadFit fit;
};

// A design checked and made ready for lookups by continuous chainage.
class PreparedRoad {
  public:
    // The design ready for use, or its first fault.
    static std::variant<PreparedRoad, DesignFault> prepare(const RoadDesign& design);

    const Chainage& chainage() const { return chainage_; }
    // Whether there is a 纵断面 to put on the ground.
    bool hasProfile() const;
    // The design elevation at the centre line; nothing outside the
    // 纵断面's range.
    std::optional<double> centreElevation(double chainage) const;

    // The design line of a section at `chainage` over its ground line (in
    // order of S, either way). Only with a 纵断面. Outside its range the
    // nearest end's elevation is used and the fit says so; where a slope
    // misses the ground the line ends at the ground line's last offset.
    FittedDesign fit(double chainage, const std::vector<Point>& ground) const;

  private:
    Chainage chainage_;
    // the profile, templates and slopes in chainage order, as the
    // implementation needs them
    struct Data;
    std::shared_ptr<const Data> data_;
};

}  // namespace section
