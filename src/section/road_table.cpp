// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_table.h"

#include <optional>

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "section/any_survey.h"
#include "section/road_side_fit.h"

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

void fillSide(RoadTableRow& row, const SideFit& side, Cell width, Cell catchPoint, Cell slope) {
    row.cells[width] = runtime::formatFixed3(side.roadEdge);
    if (side.catchDistance) row.cells[catchPoint] = runtime::formatFixed3(*side.catchDistance);
    row.cells[slope] = side.kind == SlopeKind::Fill ? "填" : "挖";
}

RoadTableRow rowOf(const CutFillSection& section, std::string station) {
    RoadTableRow row{std::move(station)};
    // Without a fit, the ground at the centre line as the fitter finds it.
    const std::optional<double> ground =
        section.fit ? section.fit->groundElevation
                    : SideGround(section.ground, RoadSide::Left).elevationAt(0.0);
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
