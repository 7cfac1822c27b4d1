// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/quantity_table.h"

#include <algorithm>
#include <optional>

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/cut_fill_figures.h"
#include "section/cut_fill_survey.h"
#include "section/figures.h"
#include "section/station.h"
#include "section/survey.h"

namespace printout {

namespace {

using runtime::ExactDecimal;

// The exact value of a figure as printed ("-12.345"); nothing for an empty
// or text cell.
std::optional<ExactDecimal> printedValue(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    ExactDecimal value;
    int decimals = -1;
    bool digits = false;
    for (char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        value = value * ExactDecimal::scaled(10, 0) + ExactDecimal::scaled(c - '0', 0);
        digits = true;
        if (decimals >= 0) ++decimals;
    }
    if (!digits) return std::nullopt;
    value = value * ExactDecimal::scaled(1, -(decimals < 0 ? 0 : decimals));
    return negative ? ExactDecimal() - value : value;
}

std::string fixed3(const ExactDecimal& value) {
    return runtime::formatFixed3(value.digits());
}

// Rows into pages; the running totals filled in from the volume columns they
// follow (the volumes before the row, as the results show them); the sums.
class TableBuilder {
  public:
    TableBuilder(QuantityTable& table, std::vector<std::size_t> runningOf, int rowsPerPage)
        : table_(table),
          runningOf_(std::move(runningOf)),
          running_(runningOf_.size()),
          rowsPerPage_(rowsPerPage) {}

    void add(std::string key, std::vector<std::string> cells) {
        const std::size_t first = table_.columns.size() - runningOf_.size();
        for (std::size_t k = 0; k < runningOf_.size(); ++k) {
            cells[first + k] = fixed3(running_[k]);
            if (const auto volume = printedValue(cells[runningOf_[k]]))
                running_[k] = running_[k] + *volume;
        }
        if (table_.pages.empty() || int(table_.pages.back().rows.size()) == rowsPerPage_)
            table_.pages.emplace_back();
        table_.pages.back().rows.push_back({std::move(key), std::move(cells)});
    }

    void finish() {
        if (table_.pages.empty()) table_.pages.emplace_back();
        std::vector<ExactDecimal> total(table_.columns.size());
        for (QuantityPage& page : table_.pages) {
            std::vector<ExactDecimal> sums(table_.columns.size());
            for (const QuantityRow& row : page.rows) {
                for (std::size_t c = 0; c < sums.size(); ++c) {
                    if (const auto value = printedValue(row.cells[c])) sums[c] = sums[c] + *value;
                }
            }
            page.subtotal = summary("小计", sums);
            for (std::size_t c = 0; c < sums.size(); ++c) total[c] = total[c] + sums[c];
        }
        table_.total = summary("合计", total);
    }

  private:
    QuantityRow summary(const char* key, const std::vector<ExactDecimal>& sums) const {
        QuantityRow row{key, std::vector<std::string>(sums.size())};
        for (std::size_t c = 0; c < sums.size(); ++c) {
            if (table_.columns[c].summed) row.cells[c] = fixed3(sums[c]);
        }
        return row;
    }

    QuantityTable& table_;
    std::vector<std::size_t> runningOf_;
    std::vector<ExactDecimal> running_;
    int rowsPerPage_;
};

std::string keyOf(bool stations, double station, int i) {
    return stations ? section::stationText(station) : runtime::numberToText(i);
}

}  // namespace

bool QuantityTable::summed() const {
    return std::any_of(columns.begin(), columns.end(),
                       [](const QuantityColumn& column) { return column.summed; });
}

std::string columnHead(const QuantityColumn& column) {
    return column.title + unitHead(column);
}

std::string unitHead(const QuantityColumn& column) {
    return column.unit.empty() ? std::string() : "(" + column.unit + ")";
}

QuantityTable quantityTable(const section::SectionSurvey& survey,
                            const section::ProjectInfo& project, int rowsPerPage) {
    QuantityTable table;
    table.project = project;
    const bool stations = survey.stationsEntered();
    table.keyTitle = stations ? "桩号" : "断面";
    table.columns = {
        {"面积", "m²", false}, {"距离", "m", true}, {"体积", "m³", true}, {"累计", "m³", false}};
    TableBuilder builder(table, {2}, rowsPerPage > 0 ? rowsPerPage : kRowsUpright);
    const section::Figures figures(survey);
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        std::vector<std::string> cells{figures.area(i), "", "", ""};
        if (i < n) {
            cells[1] = runtime::formatFixed3(survey.spacings(i));
            cells[2] = figures.volume(i);
        }
        builder.add(keyOf(stations, survey.stations(i), i), std::move(cells));
    }
    builder.finish();
    return table;
}

QuantityTable quantityTable(const section::CutFillSurvey& survey,
                            const section::ProjectInfo& project, int rowsPerPage) {
    QuantityTable table;
    table.project = project;
    table.landscape = true;
    const bool stations = section::answersYes(survey.stationAnswer);
    table.keyTitle = stations ? "桩号" : "断面";
    table.columns = {{"挖方面积", "m²", false}, {"填方面积", "m²", false},
                     {"距离", "m", true},       {"挖方体积", "m³", true},
                     {"填方体积", "m³", true},  {"累计挖方", "m³", false},
                     {"累计填方", "m³", false}};
    TableBuilder builder(table, {3, 4}, rowsPerPage > 0 ? rowsPerPage : kRowsAcross);
    const section::CutFillFigures figures(survey);
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        const section::CutFillSection& section = survey.sections[std::size_t(i - 1)];
        std::vector<std::string> cells(table.columns.size());
        const std::string none(kNoArea);
        cells[0] = section.areas ? figures.cut().area(i) : none;
        cells[1] = section.areas ? figures.fill().area(i) : none;
        if (i < n) {
            cells[2] = runtime::formatFixed3(section.spacing);
            cells[3] = figures.cut().volume(i);
            cells[4] = figures.fill().volume(i);
        }
        builder.add(keyOf(stations, section.station, i), std::move(cells));
    }
    builder.finish();
    return table;
}

}  // namespace printout
