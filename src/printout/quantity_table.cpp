// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/quantity_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/cut_fill_figures.h"
#include "section/cut_fill_survey.h"
#include "section/figure_series.h"
#include "section/figures.h"
#include "section/station_label.h"
#include "section/survey.h"

namespace printout {

namespace {

using runtime::ExactDecimal;

// A volume column, the column of its running total after it and the series
// whose exact figures they show.
struct VolumeColumn {
    std::size_t volume;
    std::size_t running;
    const section::FigureSeries* series;
};

// Rows into pages, one per section with its pair's volumes; the running
// totals and the sums. A volume's running total, 小计 and 合计 are the
// series' exact sums rounded once, the same figures as the calculation
// sheet's; a distance's the sum of the unrounded spacings rounded once. The
// rows keep their unrounded values so that a workbook's sums come to them.
class TableBuilder {
  public:
    TableBuilder(QuantityTable& table, std::vector<VolumeColumn> volumes, int rowsPerPage)
        : table_(table),
          volumes_(std::move(volumes)),
          running_(volumes_.size()),
          rowsPerPage_(rowsPerPage) {}

    // Section i's row, all but its running totals.
    void add(int i, QuantityRow row) {
        for (std::size_t k = 0; k < volumes_.size(); ++k) {
            const VolumeColumn& column = volumes_[k];
            row.cells[column.running] = column.series->runningTotal(i);
            row.values[column.running] = running_[k];
            if (row.values[column.volume]) running_[k] += *row.values[column.volume];
        }
        if (table_.pages.empty() || int(table_.pages.back().rows.size()) == rowsPerPage_)
            table_.pages.emplace_back();
        table_.pages.back().rows.push_back(std::move(row));
    }

    void finish() {
        if (table_.pages.empty()) table_.pages.emplace_back();
        const int pairs = sections() - 1;
        int first = 1;
        for (QuantityPage& page : table_.pages) {
            const int last = first + int(page.rows.size()) - 1;
            page.subtotal = summary("小计", first, std::min(last, pairs), page.rows);
            first = last + 1;
        }
        std::vector<QuantityRow> all;
        for (const QuantityPage& page : table_.pages)
            all.insert(all.end(), page.rows.begin(), page.rows.end());
        table_.total = summary("合计", 1, pairs, all);
    }

  private:
    int sections() const {
        int count = 0;
        for (const QuantityPage& page : table_.pages) count += int(page.rows.size());
        return count;
    }

    // The sums of `rows`, which hold the volumes of pairs first..last.
    QuantityRow summary(const char* key, int first, int last,
                        const std::vector<QuantityRow>& rows) const {
        const std::size_t columns = table_.columns.size();
        QuantityRow row{key, std::vector<std::string>(columns),
                        std::vector<std::optional<double>>(columns)};
        for (std::size_t c = 0; c < columns; ++c) {
            if (!table_.columns[c].summed) continue;
            std::vector<double> values;
            for (const QuantityRow& r : rows)
                if (r.values[c]) values.push_back(*r.values[c]);
            row.cells[c] = roundedSum(values);
            row.values[c] = std::accumulate(values.begin(), values.end(), 0.0);
        }
        for (const VolumeColumn& column : volumes_)
            row.cells[column.volume] = column.series->pairsTotal(first, last);
        return row;
    }

    QuantityTable& table_;
    std::vector<VolumeColumn> volumes_;
    std::vector<double> running_;
    int rowsPerPage_;
};

}  // namespace

std::string roundedSum(const std::vector<double>& values) {
    // Each value lies within kUnit of the decimal it stands for, and each
    // addition adds at most kUnit of the magnitudes so far.
    section::Bounded sum;
    double magnitude = 0.0;
    for (const double value : values) {
        sum.value += value;
        magnitude += std::abs(value);
    }
    sum.error = double(values.size() + 1) * section::kUnit * magnitude;
    const auto exact = [&] {
        ExactDecimal total;
        for (const double value : values) total = total + ExactDecimal::of(value);
        return total;
    };
    return section::figureText(
        sum,
        [&](bool) {
            const ExactDecimal total = exact();
            return section::DecimalSpan{total, total};
        },
        [&] { return runtime::ExactFraction(exact()); });
}

namespace {

QuantityRow emptyRow(std::string key, std::size_t columns) {
    return {std::move(key), std::vector<std::string>(columns),
            std::vector<std::optional<double>>(columns)};
}

template <class Record>
std::string keyOf(const Record& survey, int i) {
    return survey.stationsEntered() ? section::stationLabel(survey, i) : runtime::numberToText(i);
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
    const section::Figures figures(survey);
    TableBuilder builder(table, {{2, 3, &figures.series()}},
                         rowsPerPage > 0 ? rowsPerPage : kRowsUpright);
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        QuantityRow row = emptyRow(keyOf(survey, i), table.columns.size());
        row.cells[0] = figures.area(i);
        row.values[0] = survey.areas(i);
        if (i < n) {
            row.cells[1] = runtime::formatFixed3(survey.spacings(i));
            row.values[1] = survey.spacings(i);
            row.cells[2] = figures.volume(i);
            row.values[2] = survey.volumes(i);
        }
        builder.add(i, std::move(row));
    }
    builder.finish();
    table.footnote = std::string(kRoundedRows) + "，累计亦然。";
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
    const section::CutFillFigures figures(survey);
    TableBuilder builder(table, {{3, 5, &figures.cut()}, {4, 6, &figures.fill()}},
                         rowsPerPage > 0 ? rowsPerPage : kRowsAcross);
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        const section::CutFillSection& section = survey.sections[std::size_t(i - 1)];
        QuantityRow row = emptyRow(keyOf(survey, i), table.columns.size());
        const std::string none(kNoArea);
        row.cells[0] = section.areas ? figures.cut().area(i) : none;
        row.cells[1] = section.areas ? figures.fill().area(i) : none;
        if (section.areas) {
            row.values[0] = section.areas->cut;
            row.values[1] = section.areas->fill;
        }
        if (i < n) {
            row.cells[2] = runtime::formatFixed3(section.spacing);
            row.values[2] = section.spacing;
            row.cells[3] = figures.cut().volume(i);
            row.values[3] = section.cutVolume;
            row.cells[4] = figures.fill().volume(i);
            row.values[4] = section.fillVolume;
        }
        builder.add(i, std::move(row));
    }
    builder.finish();
    table.footnote = std::string(kRoundedRows) + "，累计亦然。";
    return table;
}

}  // namespace printout
