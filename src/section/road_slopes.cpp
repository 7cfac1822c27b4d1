// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_slopes.h"

#include <string>

#include "section/station.h"

namespace section {

namespace {

SlopeKind kindOf(const SlopeRow& row) {
    return row.kind;
}
SlopeKind kindOf(const DitchRow&) {
    return SlopeKind::Fill;
}

// "边坡 K1+000～K1+200 左侧挖方", "边沟左侧": where a row holds, for messages.
std::string where(const char* table, const std::optional<StationRange>& range, RoadSide side) {
    std::string text = table;
    if (range) text += " " + stationText(range->from) + "～" + stationText(range->to) + " ";
    return text + (side == RoadSide::Left ? "左侧" : "右侧");
}
std::string where(const SlopeRow& row) {
    return where("边坡", row.range, row.side) + (row.kind == SlopeKind::Fill ? "填方" : "挖方");
}
std::string where(const DitchRow& row) {
    return where("边沟", row.range, row.side);
}

// The column of a cell as the file counts it: a row with a range has the two
// range columns first.
template <class Row>
int column(const Row& row, int withoutRange) {
    return row.range ? withoutRange + 2 : withoutRange;
}

template <class Row>
DesignFault fault(DesignTable table, const std::vector<Row>& rows, int r, int cell,
                  std::string message, int otherRow = -1) {
    return {table, r, cell < 0 ? -1 : column(rows[r], cell), std::move(message), otherRow};
}

struct RowGroup {
    std::optional<StationRange> range;
    RoadSide side = RoadSide::Left;
    SlopeKind kind = SlopeKind::Fill;
    double from = 0.0;  // the range in chainage
    double to = 0.0;
    std::vector<int> rows;
};

// Rows gathered by range, side and kind, with their ranges placed and
// checked: a 起点 after its 终点, and two ranges that overlap (sharing an
// end is no overlap). With `single`, a second row of a group is refused.
template <class Row>
std::variant<std::vector<RowGroup>, DesignFault> grouped(const std::vector<Row>& rows,
                                                         DesignTable table,
                                                         const Chainage& chainage, bool single) {
    std::vector<RowGroup> groups;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const Row& row = rows[r];
        RowGroup* group = nullptr;
        for (RowGroup& g : groups)
            if (g.range == row.range && g.side == row.side && g.kind == kindOf(row)) group = &g;
        if (group && single)
            return fault(table, rows, r, -1, where(row) + "重复：每侧（每个桩号范围）只设一条。",
                         group->rows[0]);
        if (group) {
            group->rows.push_back(r);
            continue;
        }
        RowGroup added{row.range, row.side, kindOf(row), 0.0, 0.0, {r}};
        if (row.range) {
            const std::vector<ChainedStation> ends =
                chainage.place({row.range->from, row.range->to});
            added.from = ends[0].chainage;
            added.to = ends[1].chainage;
            // Faults of the range name its 起点 column, the first of the row.
            if (added.from > added.to)
                return DesignFault{table, r, 0, where(row) + "的起点桩号在终点桩号之后。"};
            for (const RowGroup& g : groups)
                if (g.range && g.side == added.side && g.kind == added.kind && g.from < added.to &&
                    added.from < g.to)
                    return DesignFault{table, r, 0,
                                       where(row) + "与" + where(rows[g.rows[0]]) +
                                           "的桩号范围重叠：一处只能有一组。",
                                       g.rows[0]};
        }
        groups.push_back(std::move(added));
    }
    return groups;
}

std::optional<DesignFault> slopeValueFault(const std::vector<SlopeRow>& rows, int r) {
    const SlopeRow& row = rows[r];
    if (row.ratio < 0)
        return fault(DesignTable::Slopes, rows, r, 2, where(row) + "的坡率不能为负。");
    if (row.height && !(*row.height > 0))
        return fault(DesignTable::Slopes, rows, r, 3, where(row) + "的高度须大于 0。");
    if (row.bermWidth < 0)
        return fault(DesignTable::Slopes, rows, r, 4, where(row) + "的平台宽不能为负。");
    return std::nullopt;
}

std::optional<DesignFault> ditchValueFault(const std::vector<DitchRow>& rows, int r) {
    const DitchRow& row = rows[r];
    const double values[] = {row.innerRatio, row.depth, row.bottomWidth, row.outerRatio};
    const char* names[] = {"内坡率", "沟深", "沟底宽", "外坡率"};
    for (int k = 0; k < 4; ++k)
        if (values[k] < 0)
            return fault(DesignTable::Ditches, rows, r, k + 1,
                         where(row) + "的" + names[k] + "不能为负。");
    return std::nullopt;
}

}  // namespace

std::variant<RoadSlopes, DesignFault> RoadSlopes::make(const std::vector<SlopeRow>& slopes,
                                                       const std::vector<DitchRow>& ditches,
                                                       const Chainage& chainage) {
    for (int r = 0; r < static_cast<int>(slopes.size()); ++r)
        if (auto fault = slopeValueFault(slopes, r)) return *fault;
    auto slopeGroups = grouped(slopes, DesignTable::Slopes, chainage, false);
    if (auto* fault = std::get_if<DesignFault>(&slopeGroups)) return *fault;
    for (int r = 0; r < static_cast<int>(ditches.size()); ++r)
        if (auto fault = ditchValueFault(ditches, r)) return *fault;
    auto ditchGroups = grouped(ditches, DesignTable::Ditches, chainage, true);
    if (auto* fault = std::get_if<DesignFault>(&ditchGroups)) return *fault;

    RoadSlopes made;
    for (const RowGroup& g : std::get<std::vector<RowGroup>>(slopeGroups)) {
        const int begin = static_cast<int>(made.stages_.size());
        for (int k = 0; k < static_cast<int>(g.rows.size()); ++k) {
            const int r = g.rows[k];
            if (k + 1 < static_cast<int>(g.rows.size()) && !slopes[r].height)
                return fault(DesignTable::Slopes, slopes, r, 3,
                             where(slopes[r]) + "第 " + std::to_string(k + 1) +
                                 " 级没有高度，其后却还有一级：只有最后一级可以不限高度。",
                             g.rows[k + 1]);
            made.stages_.push_back(slopes[r]);
        }
        made.slopeHoldings_.push_back({g.range.has_value(), g.from, g.to, g.side, g.kind, begin,
                                       static_cast<int>(made.stages_.size())});
    }
    for (const RowGroup& g : std::get<std::vector<RowGroup>>(ditchGroups)) {
        const int begin = static_cast<int>(made.ditches_.size());
        made.ditches_.push_back(ditches[g.rows[0]]);
        made.ditchHoldings_.push_back(
            {g.range.has_value(), g.from, g.to, g.side, g.kind, begin, begin + 1});
    }
    return made;
}

const RoadSlopes::Holding* RoadSlopes::find(const std::vector<Holding>& holdings, double chainage,
                                            RoadSide side, SlopeKind kind) {
    const Holding* plain = nullptr;
    for (const Holding& h : holdings) {
        if (h.side != side || h.kind != kind) continue;
        if (!h.ranged)
            plain = &h;
        else if (h.from <= chainage && chainage <= h.to)
            return &h;
    }
    return plain;
}

std::span<const SlopeRow> RoadSlopes::stages(double chainage, RoadSide side, SlopeKind kind) const {
    const Holding* h = find(slopeHoldings_, chainage, side, kind);
    if (!h) return {};
    return std::span<const SlopeRow>(stages_).subspan(h->begin, h->end - h->begin);
}

const DitchRow* RoadSlopes::ditch(double chainage, RoadSide side) const {
    const Holding* h = find(ditchHoldings_, chainage, side, SlopeKind::Fill);
    return h ? &ditches_[h->begin] : nullptr;
}

}  // namespace section
