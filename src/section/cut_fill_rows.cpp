// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_rows.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_figures.h"
#include "section/station_label.h"

namespace section {

std::string cutFillRowName(const CutFillSurvey& survey, int i) {
    return survey.stationsEntered() ? stationLabel(survey, i)
                                    : "第 " + runtime::numberToText(i) + " 号断面";
}

std::vector<CutFillRow> cutFillRows(const CutFillSurvey& survey) {
    const int n = survey.sectionCount();
    const bool stations = survey.stationsEntered();
    std::vector<CutFillRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    double cut = 0.0, fill = 0.0;
    for (int i = 1; i <= n; ++i) {
        const CutFillSection& section = survey.sections[i - 1];
        CutFillRow row;
        row.section = i;
        row.name = cutFillRowName(survey, i);
        if (stations) row.station = section.station;
        row.areas = section.areas;
        row.runningCut = cut;
        row.runningFill = fill;
        if (i < n) {
            row.spacing = section.spacing;
            if (pairHasVolumes(survey, i)) {
                row.cutVolume = section.cutVolume;
                row.fillVolume = section.fillVolume;
                // Summed as the totals are, so the last row shows them exactly.
                cut = section.cutVolume + cut;
                fill = section.fillVolume + fill;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

ResultTable cutFillResultTable(const CutFillSurvey& survey) {
    ResultTable table;
    table.header = {"断面",
                    "桩号",
                    "挖方面积(平方米)",
                    "填方面积(平方米)",
                    "至下一断面间距(米)",
                    "挖方体积(立方米)",
                    "填方体积(立方米)",
                    "累计挖方(立方米)",
                    "累计填方(立方米)"};
    const CutFillFigures figures(survey);
    const FigureSeries& cut = figures.cut();
    const FigureSeries& fill = figures.fill();
    for (const CutFillRow& row : cutFillRows(survey)) {
        const int i = row.section;
        table.rows.push_back({std::to_string(i), row.station ? stationLabel(survey, i) : "",
                              row.areas ? cut.area(i) : "", row.areas ? fill.area(i) : "",
                              row.spacing ? runtime::formatFixed3(*row.spacing) : "",
                              row.cutVolume ? cut.volume(i) : "",
                              row.fillVolume ? fill.volume(i) : "", cut.runningTotal(i),
                              fill.runningTotal(i)});
    }
    return table;
}

}  // namespace section
