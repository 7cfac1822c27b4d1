// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/running_curves.h"

#include <algorithm>

#include "runtime/number_format.h"
#include "section/cut_fill_rows.h"
#include "section/earthworks.h"
#include "section/haul.h"
#include "section/result_rows.h"

namespace section {

namespace {

template <class Row>
double alongOf(const Row& row) {
    return row.station ? *row.station : double(row.section);
}

RunningCurves curvesOf(const SectionSurvey& survey) {
    RunningCurves curves{"累计土方曲线",
                         "累计体积 (立方米)",
                         survey.stationsEntered(),
                         false,
                         {{CurveRole::Volume, "累计体积", {}}}};
    for (const ResultRow& row : resultRows(survey))
        curves.curves[0].points.push_back({alongOf(row), row.runningTotal});
    return curves;
}

RunningCurves curvesOf(const CutFillSurvey& survey) {
    RunningCurves curves{"累计挖方和累计填方曲线",
                         "累计体积 (立方米)",
                         survey.stationsEntered(),
                         true,
                         {{CurveRole::Cut, "累计挖方", {}}, {CurveRole::Fill, "累计填方", {}}}};
    for (const CutFillRow& row : cutFillRows(survey)) {
        curves.curves[0].points.push_back({alongOf(row), row.runningCut});
        curves.curves[1].points.push_back({alongOf(row), row.runningFill});
    }
    return curves;
}

std::string summaryOf(const Haul& hauled) {
    double volume = 0, moment = 0, left[2] = {0, 0};
    for (const HaulStretch& stretch : hauled.stretches) {
        volume += stretch.volume;
        moment += stretch.moment;
    }
    for (const UnbalancedVolume& rest : hauled.unbalanced) left[int(rest.kind)] += rest.volume;
    using runtime::formatFixed3;
    std::string line = "调配 " + std::to_string(hauled.stretches.size()) + " 段，共 " +
                       formatFixed3(volume) + " 立方米（压实方）";
    if (volume > 0) line += "，平均运距 " + formatFixed3(moment / volume) + " 米";
    return line + "；弃方 " + formatFixed3(left[int(Unbalanced::Waste)]) + " 立方米，借方 " +
           formatFixed3(left[int(Unbalanced::Borrow)]) + " 立方米";
}

RunningCurves massCurveOf(const CutFillSurvey& survey, const RoadDesign& design) {
    RunningCurves curves{"土方累积曲线",
                         "挖余 − 填缺 (压实方，立方米)",
                         survey.stationsEntered(),
                         true,
                         {{CurveRole::Mass, "累计挖余 − 累计填缺", {}}}};
    // Along the chainage: the stations themselves unless a 断链 moves them.
    if (!survey.stationsEntered() || !design.breaks.empty()) curves.alongAxis = "里程 (米)";
    const Earthworks works = earthworks(survey, design);
    const Haul hauled = haul(works, design.haul.value_or(HaulDistances{}));
    for (const MassPoint& point : hauled.massCurve)
        curves.curves[0].points.push_back({point.chainage, point.total});
    for (const HaulStretch& stretch : hauled.stretches) {
        const EarthworksRow& first =
            works.rows[std::size_t(std::min(stretch.cut.first, stretch.fill.first))];
        const EarthworksRow& last =
            works.rows[std::size_t(std::max(stretch.cut.last, stretch.fill.last))];
        // The level the curve had where the stretch starts.
        const auto start =
            std::ranges::find(hauled.massCurve, first.fromChainage, &MassPoint::chainage);
        curves.balances.push_back({first.fromChainage, last.toChainage, start->total,
                                   stretch.volume, stretch.averageHaul()});
    }
    curves.haulSummary = summaryOf(hauled);
    return curves;
}

}  // namespace

bool hasMassCurve(const Survey& survey) {
    return survey.cutFill() != nullptr;
}

// Prismoids' curves say so in their title, as their sheets do.
RunningCurves runningCurves(const Survey& survey, bool mass) {
    RunningCurves curves = mass && survey.cutFill()
                               ? massCurveOf(*survey.cutFill(), survey.roadDesign())
                               : survey.visit([](const auto& record) { return curvesOf(record); });
    if (survey.volumeMethod() != VolumeMethod::AverageEndArea)
        curves.title += "（" + methodName(survey.volumeMethod()) + "）";
    return curves;
}

}  // namespace section
