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

#include <array>
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

// The soil and rock classes of the cut, Ⅰ 松土 … Ⅵ 坚石, one figure each.
inline constexpr int kSoilClasses = 6;
using ClassFigures = std::array<double, kSoilClasses>;

// 土石分类: the share in percent of each class in the cut between two
// stations; the six add up to 100.
struct SoilClassRow {
    StationRange range{};
    ClassFigures percent{};
    bool operator==(const SoilClassRow&) const = default;
};

// 换算系数 when none are given: natural volume per compacted volume of each
// class, as for 二级及以上公路.
inline constexpr ClassFigures kDefaultFactors{1.23, 1.16, 1.09, 0.92, 0.92, 0.92};

// 构造物: a bridge, culvert or tunnel between two stations; no earthworks are
// counted across it.
struct StructureRow {
    StationRange range{};
    std::string name;  // "小桥"
    bool operator==(const StructureRow&) const = default;
};

// 运距 of the 土方调配: earth is hauled free up to freeHaul metres; beyond the
// economic haul (when given) it is cheaper to waste and borrow.
struct HaulDistances {
    double freeHaul = 20.0;                // 免费运距
    std::optional<double> economicHaul{};  // 经济运距
    bool operator==(const HaulDistances&) const = default;
};

struct RoadDesign {
    std::vector<GradePoint> profile{};        // 纵断面, in order of station
    std::vector<PlateRow> plates{};           // 路幅
    std::vector<SlopeRow> slopes{};           // 边坡
    std::vector<DitchRow> ditches{};          // 边沟
    std::vector<ChainBreak> breaks{};         // 断链, in order along the road
    std::vector<SoilClassRow> soilClasses{};  // 土石分类
    std::optional<ClassFigures> factors{};    // 换算系数; kDefaultFactors without
    std::vector<StructureRow> structures{};   // 构造物
    std::optional<HaulDistances> haul{};      // 运距; the defaults without

    bool empty() const {
        return profile.empty() && plates.empty() && slopes.empty() && ditches.empty() &&
               breaks.empty() && soilClasses.empty() && !factors && structures.empty() && !haul;
    }
    bool operator==(const RoadDesign&) const = default;
};

// The tables of a road design, as their titles name them in files and in
// the window.
enum class DesignTable {
    Profile,
    Plates,
    Slopes,
    Ditches,
    Breaks,
    SoilClasses,
    Factors,
    Structures,
    Haul
};
inline constexpr int kDesignTableCount = 9;

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
