// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/result_rows.h"
#include "survey_file/survey_file.h"

namespace survey_file {

std::string resultsCsv(const section::SectionSurvey& survey, CsvFor reader) {
    const section::ResultTable table = section::resultTable(survey);
    const std::string end = reader == CsvFor::Spreadsheet ? "\r\n" : "\n";
    std::string out = reader == CsvFor::Spreadsheet ? "\xEF\xBB\xBF" : "";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k) out += (k ? "," : "") + cells[k];
        out += end;
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
    return out;
}

}  // namespace survey_file
