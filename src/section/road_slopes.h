// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 边坡 and the 边沟 by continuous chainage: per side (and for the slopes
// per kind) the rows that hold at a chainage, those of a station range that
// holds it in place of those without a range.

#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "section/chainage.h"
#include "section/road_design.h"

namespace section {

class RoadSlopes {
  public:
    RoadSlopes() = default;
    // Refuses negative ratios, depths and widths, a height not above 0, a
    // stage without height before the last, a range whose 起点 lies after
    // its 终点, two ranges of one side (and kind) that overlap, and two
    // ditches for one side and range.
    static std::variant<RoadSlopes, DesignFault> make(const std::vector<SlopeRow>& slopes,
                                                      const std::vector<DitchRow>& ditches,
                                                      const Chainage& chainage);

    // The stages of a side's slope, from the road edge outward; empty when
    // there are none.
    std::span<const SlopeRow> stages(double chainage, RoadSide side, SlopeKind kind) const;
    // The side's ditch; none when there is none.
    const DitchRow* ditch(double chainage, RoadSide side) const;

  private:
    // Rows of one range (or none), side and kind, in the order given.
    struct Holding {
        bool ranged = false;
        double from = 0.0;  // the range in chainage
        double to = 0.0;
        RoadSide side = RoadSide::Left;
        SlopeKind kind = SlopeKind::Fill;
        int begin = 0;  // into stages_ or ditches_
        int end = 0;
    };
    // The one holding at the chainage, or nothing.
    static const Holding* find(const std::vector<Holding>& holdings, double chainage, RoadSide side,
                               SlopeKind kind);

    std::vector<Holding> slopeHoldings_;
    std::vector<SlopeRow> stages_;
    std::vector<Holding> ditchHoldings_;
    std::vector<DitchRow> ditches_;
};

}  // namespace section
