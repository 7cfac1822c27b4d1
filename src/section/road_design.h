// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A road design as the design drawings give it, kept row by row as its file
// and its tables hold it: the 纵断面 (变坡点 with 竖曲线), the 路幅 (plates of
// width and crossfall from the centre line out, per side, at given stations),
// the 边坡 (fill and cut slopes in stages with berms), the 边沟 and the 断链.
//
// Offsets and widths are in metres, crossfalls in percent, positive rising
// away from the centre line (a normal crown is -2 on both sides). 左 is the
// side of S > 0. Stations are as written (桩号), not continuous chainage: a
// 断链 makes some stations occur twice or not at all.

#include <optional>
#include <string>
#include <vector>

namespace section {

enum class RoadSide { Left, Right };  // 左, 右
enum class SlopeKind { Fill, Cut };   // 填, 挖

struct GradePoint {  // 变坡点
    double station = 0.0;
    double elevation = 0.0;
    std::optional<double> radius{};  // 竖曲线半径; none at the first and the last
    bool operator==(const GradePoint&) const = default;
};

// One plate of the 路幅 on one side at one station. Rows of the same station
// and side list that side's plates from the centre line outward.
struct PlateRow {
    double station = 0.0;
    RoadSide side = RoadSide::Left;
    double width = 0.0;
    double crossfall = 0.0;  // percent
    bool operator==(const PlateRow&) const = default;
};

// A station range [from, to] within which rows hold instead of the rows
// without a range.
struct StationRange {
    double from = 0.0;
    double to = 0.0;
    bool operator==(const StationRange&) const = default;
};

// One stage of a side slope, from the road edge (or the ditch) outward: a
// slope of 1:ratio over `height` (none: unlimited, only the last stage),
// then a berm (平台) of bermWidth at bermCrossfall percent. Rows of the same
// range, side and kind are that side's stages in order.
struct SlopeRow {
    std::optional<StationRange> range{};
    RoadSide side = RoadSide::Left;
    SlopeKind kind = SlopeKind::Fill;
    double ratio = 0.0;  // 坡率: horizontal metres per metre of height
    std::optional<double> height{};
    double bermWidth = 0.0;
    double bermCrossfall = 0.0;  // percent
    bool operator==(const SlopeRow&) const = default;
};

// The ditch (边沟) on one side, in cut only: an inner slope 1:innerRatio down
// `depth` from the road edge, a bottom of bottomWidth (0: a V ditch), an
// outer slope 1:outerRatio back up to the level of the road edge.
struct DitchRow {
    std::optional<StationRange> range{};
    RoadSide side = RoadSide::Left;
    double innerRatio = 0.0;
    double depth = 0.0;
    double bottomWidth = 0.0;
    double outerRatio = 0.0;
    bool operator==(const DitchRow&) const = default;
};

// 断前桩号 = 断后桩号: the stations after the break restart at `after`. A
// 长链 (after < before) makes the stations after..before occur twice; a 短链
// (after > before) leaves before..after out.
struct ChainBreak {
    double before = 0.0;
    double after = 0.0;
    bool operator==(const ChainBreak&) const = default;
};

struct RoadDesign {
    std::vector<GradePoint> profile{};  // 纵断面, in order of station
    std::vector<PlateRow> plates{};     // 路幅
    std::vector<SlopeRow> slopes{};     // 边坡
    std::vector<DitchRow> ditches{};    // 边沟
    std::vector<ChainBreak> breaks{};   // 断链, in order along the road

    bool empty() const {
        return profile.empty() && plates.empty() && slopes.empty() && ditches.empty() &&
               breaks.empty();
    }
    bool operator==(const RoadDesign&) const = default;
};

// The tables of a road design, as their titles name them in files and in
// the window.
enum class DesignTable { Profile, Plates, Slopes, Ditches, Breaks };

// Why a design cannot be used: the table, the row within it (0-based, in
// the order of the design's vector) and the column (0-based, counting the
// range columns when the row has a range; -1 for the row as a whole), and
// one Chinese sentence saying what is wrong and naming the other row where
// two rows clash.
struct DesignFault {
    DesignTable table = DesignTable::Profile;
    int row = 0;
    int column = -1;
    std::string message;
    int otherRow = -1;  // the row it clashes with, when it does
    bool operator==(const DesignFault&) const = default;
};

}  // namespace section
