// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方调配 of a survey's earthworks (section/earthworks.h): where each
// pair's 挖余 goes and where each pair's 填缺 comes from, and what moving it
// costs.
//
// Each pair's net, 挖余 in compacted terms less 填缺, is placed at the centre
// of the pair along the continuous chainage; the mass curve adds the nets up.
// A surplus goes to the nearest deficit (and a deficit takes from the nearest
// surplus): the pairs still waiting are kept on a stack, and a pair of the
// other sign takes from its top. A balanced stretch (调配段) closes where the
// curve comes back to its level: where a pair uses up the pair on the top of
// the stack exactly (the level it had at that pair's end), or empties the
// stack (the level the stretch started from). A haul
// longer than the 经济运距 is not made: what waits on the stack then, and what
// is left at the end, is 弃方 (a surplus) or 借方 (a deficit).
//
// Volumes are compacted cubic metres, distances metres, moments m³·m.

#include <vector>

#include "section/earthworks.h"
#include "section/road_design.h"

namespace section {

struct MassPoint {
    double chainage = 0.0;  // continuous
    double total = 0.0;     // Σ (挖余 compacted − 填缺) up to here
    bool operator==(const MassPoint&) const = default;
};

// The rows of Earthworks::rows a stretch of cut or fill runs over, first and
// last (0-based, in order along the road).
struct RowSpan {
    int first = 0;
    int last = 0;
    bool operator==(const RowSpan&) const = default;
};

struct HaulStretch {  // 调配段
    RowSpan cut;      // the pairs whose 挖余 is moved
    RowSpan fill;     // the pairs whose 填缺 it fills
    double volume = 0.0;
    double moment = 0.0;    // 运量: Σ volume × distance
    double overhaul = 0.0;  // 超运运量: what the moment exceeds the free haul by
    // 平均运距.
    double averageHaul() const { return volume > 0 ? moment / volume : 0.0; }
    bool operator==(const HaulStretch&) const = default;
};

enum class Unbalanced { Waste, Borrow };  // 弃方, 借方

// What is not hauled, over a run of neighbouring pairs.
struct UnbalancedVolume {
    Unbalanced kind = Unbalanced::Waste;
    RowSpan rows;
    double volume = 0.0;
    bool operator==(const UnbalancedVolume&) const = default;
};

struct Haul {
    HaulDistances distances;
    std::vector<MassPoint> massCurve;  // a point at each end of each pair
    std::vector<HaulStretch> stretches;
    std::vector<UnbalancedVolume> unbalanced;  // in order along the road
};

// A 构造物 between two pairs leaves the curve level across it and does not
// stop a haul.
Haul haul(const Earthworks& earthworks, const HaulDistances& distances);

}  // namespace section
