// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 路基设计表 as text: for each section of a cut-and-fill survey its
// station, the ground and design elevations at the centre line, the 填高 or
// 挖深 there, and per side the 路基宽度, the catch point's distance from the
// centre line and whether the slope is a fill or a cut. Where the road
// design was not put on a section (its design line is typed), its row has
// only what its ground line gives.
//
// Every figure is written "0.000" from the value it stands for, rounded
// once: the 填高 is the exact difference of the two elevations, not of their
// printed forms.

#include <array>
#include <string>
#include <vector>

namespace section {

class Survey;

struct RoadTableColumn {
    const char* title;
    const char* unit;  // empty for a column of text
};

// The columns after the 桩号, in order.
inline constexpr RoadTableColumn kRoadTableColumns[] = {
    {"地面高程", "m"},   {"设计高程", "m"},   {"填高", "m"},        {"挖深", "m"},
    {"左路基宽度", "m"}, {"右路基宽度", "m"}, {"左坡脚/坡口", "m"}, {"右坡脚/坡口", "m"},
    {"左边坡", ""},      {"右边坡", ""},
};
inline constexpr std::size_t kRoadTableCells = std::size(kRoadTableColumns);

struct RoadTableRow {
    std::string station;  // "K1+020.000", or "第 2 号断面" without stations
    // One per column: "12.345", "填" or "挖", or empty where nothing is known
    // (no fit, a slope that misses the ground).
    std::array<std::string, kRoadTableCells> cells{};
    bool operator==(const RoadTableRow&) const = default;
};

// One row per section of a cut-and-fill survey; none for closed outlines.
std::vector<RoadTableRow> roadTableRows(const Survey& survey);

}  // namespace section
