// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/result_rows.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/figures.h"
#include "section/station_label.h"

namespace section {

std::string resultRowName(const SectionSurvey& survey, int i) {
    return survey.stationsEntered() ? stationLabel(survey, i)
                                    : "第 " + runtime::numberToText(i) + " 号断面";
}

std::vector<ResultRow> resultRows(const SectionSurvey& survey) {
    const int n = survey.sectionCount();
    const bool stations = survey.stationsEntered();
    std::vector<ResultRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    double total = 0.0;
    for (int i = 1; i <= n; ++i) {
        ResultRow row;
        row.section = i;
        row.name = resultRowName(survey, i);
        if (stations) row.station = survey.stations(i);
        row.area = survey.areas(i);
        row.runningTotal = total;
        if (i < n) {
            row.spacing = survey.spacings(i);
            row.volume = survey.volumes(i);
            // Summed as the total is, so the last row shows the total exactly.
            total = *row.volume + total;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

ResultTable resultTable(const SectionSurvey& survey) {
    const bool stations = survey.stationsEntered();
    ResultTable table;
    table.header = {"断面"};
    if (stations) table.header.push_back("桩号");
    for (const char* name :
         {"面积(平方米)", "至下一断面间距(米)", "至下一断面体积(立方米)", "累计体积(立方米)"})
        table.header.push_back(name);
    const Figures figures(survey);
    for (const ResultRow& row : resultRows(survey)) {
        std::vector<std::string> cells{std::to_string(row.section)};
        if (row.station) cells.push_back(stationLabel(survey, row.section));
        cells.push_back(figures.area(row.section));
        cells.push_back(row.spacing ? runtime::formatFixed3(*row.spacing) : "");
        cells.push_back(row.volume ? figures.volume(row.section) : "");
        cells.push_back(figures.runningTotal(row.section));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace section
