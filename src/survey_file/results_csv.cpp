// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_format.h"
#include "section/result_rows.h"
#include "section/results.h"
#include "section/station.h"
#include "survey_file/survey_file.h"

namespace survey_file {

std::string resultsCsv(const section::SectionSurvey& survey) {
    const bool stations = survey.stationsEntered();
    std::string out = stations ? "断面,桩号," : "断面,";
    out += "面积(平方米),至下一断面间距(米),至下一断面体积(立方米),累计体积(立方米)\n";
    for (const section::ResultRow& row : section::resultRows(survey)) {
        out += std::to_string(row.section) + ",";
        if (row.station) out += section::stationText(*row.station) + ",";
        out += section::roundedText(row.area) + ",";
        out += (row.spacing ? runtime::formatFixed3(*row.spacing) : "") + ",";
        out += (row.volume ? section::roundedText(*row.volume) : "") + ",";
        out += section::roundedText(row.runningTotal) + "\n";
    }
    return out;
}

}  // namespace survey_file
