// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/any_survey.h"
#include "section/cut_fill_rows.h"
#include "section/result_rows.h"
#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

std::string tableCsv(const section::ResultTable& table, CsvFor reader) {
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

}  // namespace

std::string resultsCsv(const section::Survey& survey, CsvFor reader) {
    return tableCsv(section::resultTable(survey), reader);
}

}  // namespace survey_file
