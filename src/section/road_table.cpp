// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_table.h"

#include <optional>

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "section/any_survey.h"

namespace section {

namespace {

enum Cell {
    Ground,
    Design,
    FillHeight,
    CutDepth,
    LeftWidth,
    RightWidth,
    LeftCatch,
    RightCatch,
    LeftSlope,
    RightSlope
};

// The ground line's elevation at S = 0, linear between its points; none
// when it does not reach the centre line.
std::optional<double> groundAtCentre(const std::vector<Point>& ground) {
    for (std::size_t k = 0; k < ground.size(); ++k) {
        const Point& a = ground[k];
        if (a.offset == 0.0) return a.elevation;
        if (k + 1 == ground.size()) break;
        const Point& b = ground[k + 1];
        if ((a.offset < 0.0) != (b.offset < 0.0) && b.offset != 0.0)
            return a.elevation +
                   (b.elevation - a.elevation) * (0.0 - a.offset) / (b.offset - a.offset);
    }
    return std::nullopt;
}

void fillSide(RoadTableRow& row, const SideFit& side, Cell width, Cell catchPoint, Cell slope) {
    row.cells[width] = runtime::formatFixed3(side.roadEdge);
    if (side.catchDistance) row.cells[catchPoint] = runtime::formatFixed3(*side.catchDistance);
    row.cells[slope] = side.kind == SlopeKind::Fill ? "填" : "挖";
}

RoadTableRow rowOf(const CutFillSection& section, std::string station) {
    RoadTableRow row{std::move(station)};
    const std::optional<double> ground =
        section.fit ? section.fit->groundElevation : groundAtCentre(section.ground);
    if (ground) row.cells[Ground] = runtime::formatFixed3(*ground);
    if (!section.fit) return row;
    const RoadFit& fit = *section.fit;
    row.cells[Design] = runtime::formatFixed3(fit.designElevation);
    if (ground) {
        using runtime::ExactDecimal;
        const ExactDecimal height =
            ExactDecimal::of(fit.designElevation) - ExactDecimal::of(*ground);
        row.cells[height.isNegative() ? CutDepth : FillHeight] = runtime::formatFixed3(
            (height.isNegative() ? ExactDecimal() - height : height).digits());
    }
    fillSide(row, fit.left, LeftWidth, LeftCatch, LeftSlope);
    fillSide(row, fit.right, RightWidth, RightCatch, RightSlope);
    return row;
}

}  // namespace

std::vector<RoadTableRow> roadTableRows(const Survey& survey) {
    std::vector<RoadTableRow> rows;
    const CutFillSurvey* cutFill = survey.cutFill();
    if (!cutFill) return rows;
    rows.reserve(cutFill->sections.size());
    for (int i = 1; i <= cutFill->sectionCount(); ++i)
        rows.push_back(rowOf(cutFill->sections[std::size_t(i - 1)], sectionName(survey, i)));
    return rows;
}

}  // namespace section
