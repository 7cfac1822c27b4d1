// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/running_curves.h"

#include "section/cut_fill_rows.h"
#include "section/result_rows.h"

namespace section {

namespace {

template <class Row>
double alongOf(const Row& row) {
    return row.station ? *row.station : double(row.section);
}

RunningCurves curvesOf(const SectionSurvey& survey, bool) {
    RunningCurves curves{"累计土方曲线",
                         "累计体积 (立方米)",
                         survey.stationsEntered(),
                         false,
                         {{CurveRole::Volume, "累计体积", {}}}};
    for (const ResultRow& row : resultRows(survey))
        curves.curves[0].points.push_back({alongOf(row), row.runningTotal});
    return curves;
}

RunningCurves curvesOf(const CutFillSurvey& survey, bool mass) {
    RunningCurves curves{mass ? "土方累积曲线" : "累计挖方和累计填方曲线",
                         mass ? "累计挖方 − 累计填方 (立方米)" : "累计体积 (立方米)",
                         survey.stationsEntered(),
                         true,
                         {}};
    if (mass)
        curves.curves = {{CurveRole::Mass, "累计挖方 − 累计填方", {}}};
    else
        curves.curves = {{CurveRole::Cut, "累计挖方", {}}, {CurveRole::Fill, "累计填方", {}}};
    for (const CutFillRow& row : cutFillRows(survey)) {
        if (mass) {
            curves.curves[0].points.push_back({alongOf(row), row.runningCut - row.runningFill});
        } else {
            curves.curves[0].points.push_back({alongOf(row), row.runningCut});
            curves.curves[1].points.push_back({alongOf(row), row.runningFill});
        }
    }
    return curves;
}

}  // namespace

bool hasMassCurve(const Survey& survey) {
    return survey.cutFill() != nullptr;
}

// Prismoids' curves say so in their title, as their sheets do.
RunningCurves runningCurves(const Survey& survey, bool mass) {
    RunningCurves curves = survey.visit([&](const auto& record) { return curvesOf(record, mass); });
    if (survey.volumeMethod() != VolumeMethod::AverageEndArea)
        curves.title += "（" + methodName(survey.volumeMethod()) + "）";
    return curves;
}

}  // namespace section
