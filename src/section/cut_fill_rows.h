// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results of a cut-and-fill calculation section by section, as a table
// shows them and CSV writes them: the name, the station, the cut and fill
// areas, the spacing and the cut and fill volumes to the next section, and
// the running totals of cut and of fill (the volumes before the section).

#include <optional>
#include <string>
#include <vector>

#include "section/cut_fill_survey.h"
#include "section/result_rows.h"

namespace section {

struct CutFillRow {
    int section = 0;
    std::string name;               // "K1+020.000" with stations, else "第 2 号断面"
    std::optional<double> station;  // with stations
    std::optional<CutFillAreas> areas;
    std::optional<double> spacing;  // to the next section; none for the last
    // To the next section; none for the last and for a pair one of whose
    // sections has no areas.
    std::optional<double> cutVolume;
    std::optional<double> fillVolume;
    double runningCut = 0.0;  // the volumes before this section: the totals at the last
    double runningFill = 0.0;
};

std::vector<CutFillRow> cutFillRows(const CutFillSurvey& survey);
// The name of section i as its row gives it.
std::string cutFillRowName(const CutFillSurvey& survey, int i);

// The table of `--results`: 断面, 桩号 (empty without stations), 挖方面积,
// 填方面积, 至下一断面间距, 挖方体积, 填方体积, 累计挖方, 累计填方; values
// "0.000" as section/cut_fill_figures.h gives them, empty cells where a row
// has none.
ResultTable cutFillResultTable(const CutFillSurvey& survey);

}  // namespace section
