// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 路幅 by continuous chainage: each side's plates at the given stations,
// and between two of them each plate's width and crossfall changed linearly
// with the chainage (加宽 and 超高 transitions); before the first and after
// the last given station they stay as given there.

#include <variant>
#include <vector>

#include "section/chainage.h"
#include "section/road_design.h"

namespace section {

struct Plate {
    double width = 0.0;
    double crossfall = 0.0;  // percent, positive rising away from the centre line
};

class RoadTemplate {
  public:
    RoadTemplate() = default;
    // Refuses negative widths, stations not in order of chainage, and a
    // side listing a different number of plates than at the given station
    // before.
    static std::variant<RoadTemplate, DesignFault> make(const std::vector<PlateRow>& rows,
                                                        const Chainage& chainage);

    // Where a chainage lies among the given stations.
    struct Place {
        int station = 0;     // the given station at or before it (the first before all)
        double share = 0.0;  // of the way to the next one
    };
    Place place(double chainage) const;

    int plateCount(RoadSide side) const { return counts_[index(side)]; }
    Plate plate(Place place, RoadSide side, int k) const;

  private:
    static int index(RoadSide side) { return side == RoadSide::Left ? 0 : 1; }
    std::vector<double> chainages_;  // of the given stations
    int counts_[2] = {0, 0};
    // Per given station the left plates then the right ones, outward.
    std::vector<Plate> plates_;
};

}  // namespace section
