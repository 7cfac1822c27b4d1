// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/result_rows.h"

#include "runtime/number_text.h"
#include "section/station.h"

namespace section {

std::vector<ResultRow> resultRows(const SectionSurvey& survey) {
    const int n = survey.sectionCount();
    const bool stations = survey.stationsEntered();
    std::vector<ResultRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    float total = 0.0f;
    for (int i = 1; i <= n; ++i) {
        ResultRow row;
        row.section = i;
        row.name = stations ? stationText(survey.stations(i))
                            : "第 " + runtime::numberToText(i) + " 号断面";
        if (stations) row.station = survey.stations(i);
        row.area = survey.areas(i);
        row.runningTotal = total;
        if (i < n) {
            row.spacing = survey.spacings(i);
            row.volume = survey.volumes(i);
            // Summed as the total is, so the last row shows the total exactly.
            total = static_cast<float>(static_cast<double>(*row.volume) + total);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace section
