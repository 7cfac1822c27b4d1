// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/quantity_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include "quantity_surveys.h"
#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "section/any_survey.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"

namespace printout {
namespace {

// A figure "-12.345" in thousandths, read here on its own so the table's
// arithmetic is checked by other code; nothing for an empty or text cell.
std::optional<long long> thousandths(const std::string& cell) {
    if (cell.empty() || cell == kNoArea) return std::nullopt;
    const std::size_t point = cell.find('.');
    EXPECT_EQ(point + 4, cell.size()) << "three decimals: " << cell;
    const bool negative = cell.front() == '-';
    const long long whole = std::stoll(cell.substr(negative, point - negative));
    const long long part = std::stoll(cell.substr(point + 1));
    return (negative ? -1 : 1) * (whole * 1000 + part);
}

std::string rounded(const runtime::ExactDecimal& value) {
    return runtime::roundedFixed3(value.digits());
}

// Every row keeps its figures unrounded; every 小计 and the 合计 round the
// exact sum of the unrounded values once, so that they lie within half a
// thousandth a row of the printed rows' sum; the volumes' running totals
// and 合计 are the calculation's own figures (`series`, one per volume
// column, each followed by its running total's).
void expectTableAddsUp(const QuantityTable& table, int sections, int rowsPerPage,
                       const std::vector<const section::FigureSeries*>& series) {
    const std::size_t columns = table.columns.size();
    const std::size_t firstVolume = columns - 2 * series.size();
    std::vector<runtime::ExactDecimal> total(columns);
    int rows = 0;
    ASSERT_EQ(table.pages.size(), std::size_t((sections + rowsPerPage - 1) / rowsPerPage));
    for (const QuantityPage& page : table.pages) {
        EXPECT_LE(int(page.rows.size()), rowsPerPage);
        std::vector<runtime::ExactDecimal> sums(columns);
        std::vector<long long> printed(columns, 0);
        for (const QuantityRow& row : page.rows) {
            ++rows;
            for (std::size_t c = 0; c < columns; ++c) {
                EXPECT_EQ(row.values[c].has_value(), thousandths(row.cells[c]).has_value());
                if (!row.values[c]) continue;
                sums[c] = sums[c] + runtime::ExactDecimal::of(*row.values[c]);
                printed[c] += *thousandths(row.cells[c]);
            }
            for (std::size_t k = 0; k < series.size(); ++k)
                EXPECT_EQ(row.cells[firstVolume + series.size() + k],
                          series[k]->runningTotal(rows));
        }
        EXPECT_EQ(page.subtotal.key, "小计");
        for (std::size_t c = 0; c < columns; ++c) {
            if (!table.columns[c].summed) {
                EXPECT_EQ(page.subtotal.cells[c], "") << table.columns[c].title;
                continue;
            }
            EXPECT_EQ(page.subtotal.cells[c], rounded(sums[c])) << table.columns[c].title;
            EXPECT_LE(2 * std::abs(*thousandths(page.subtotal.cells[c]) - printed[c]),
                      int(page.rows.size()) + 1);
            total[c] = total[c] + sums[c];
        }
    }
    EXPECT_EQ(rows, sections);
    EXPECT_EQ(table.total.key, "合计");
    for (std::size_t c = 0; c < columns; ++c)
        if (table.columns[c].summed) {
            EXPECT_EQ(table.total.cells[c], rounded(total[c]));
        }
    for (std::size_t k = 0; k < series.size(); ++k)
        EXPECT_EQ(table.total.cells[firstVolume + k], series[k]->total());
    EXPECT_FALSE(table.footnote.empty());
}

TEST(QuantityTable, page_subtotals_add_up_to_the_total_for_random_surveys_of_both_kinds) {
    std::mt19937 random(8122026);
    for (int run = 0; run < 150; ++run) {
        const int sections = std::uniform_int_distribution<int>(1, 130)(random);
        const int rowsPerPage = std::uniform_int_distribution<int>(1, 45)(random);
        const section::ProjectInfo project{"工程", run % 2 ? "K0+000～K1+000" : "", "", "", ""};
        SCOPED_TRACE("run " + std::to_string(run));
        if (run % 3 == 2) {
            const section::CutFillSurvey survey = quantity_surveys::cutFillSurvey(random, sections);
            const QuantityTable table = quantityTable(survey, project, rowsPerPage);
            EXPECT_TRUE(table.landscape);
            // The figures are the sheet's, rounded as exactly.
            const section::CutFillFigures figures(survey);
            expectTableAddsUp(table, sections, rowsPerPage, {&figures.cut(), &figures.fill()});
            const std::vector<std::string>& first = table.pages.front().rows.front().cells;
            if (survey.sections.front().areas) {
                EXPECT_EQ(first[0], figures.cut().area(1));
                EXPECT_EQ(first[1], figures.fill().area(1));
            }
            if (sections > 1) {
                EXPECT_EQ(first[3], figures.cut().volume(1));
                EXPECT_EQ(first[4], figures.fill().volume(1));
            }
            continue;
        }
        const section::SectionSurvey survey =
            quantity_surveys::closedSurvey(random, sections, run % 3 == 0);
        const QuantityTable table = quantityTable(survey, project, rowsPerPage);
        EXPECT_EQ(table.project, project);
        EXPECT_EQ(table.keyTitle, run % 3 == 0 ? "桩号" : "断面");
        // The figures are the sheet's, the 合计 its 总体积.
        const section::Figures figures(survey);
        expectTableAddsUp(table, sections, rowsPerPage, {&figures.series()});
        EXPECT_EQ(table.pages.front().rows.front().cells[0], figures.area(1));
        if (sections > 1) {
            EXPECT_EQ(table.pages.front().rows.front().cells[2], figures.volume(1));
        }
    }
}

// The volumes as printed, added up: what the 合计 was before it was the
// calculation sheet's total.
long long printedSum(const QuantityTable& table, std::size_t column) {
    long long sum = 0;
    for (const QuantityPage& page : table.pages)
        for (const QuantityRow& row : page.rows) sum += thousandths(row.cells[column]).value_or(0);
    return sum;
}

// A user saw 593.090 in the table's 合计 where the sheet said 593.091: the
// printed rows add up apart from the total of the unrounded volumes. Found
// by search, such surveys of both kinds give the sheet's figures.
TEST(QuantityTable, total_is_the_calculation_sheets_where_the_printed_rows_add_up_apart) {
    std::mt19937 random(593091);
    int closedFound = 0, cutFillFound = 0;
    for (int run = 0; run < 200 && (closedFound < 3 || cutFillFound < 3); ++run) {
        SCOPED_TRACE(run);
        const int sections = std::uniform_int_distribution<int>(2, 40)(random);
        const section::SectionSurvey closed =
            quantity_surveys::closedSurvey(random, sections, true);
        const QuantityTable closedTable = quantityTable(closed, {}, 15);
        const section::Figures figures(closed);
        if (printedSum(closedTable, 2) != *thousandths(figures.total())) {
            ++closedFound;
            EXPECT_EQ(closedTable.total.cells[2], figures.total());
            EXPECT_EQ(closedTable.pages.back().rows.back().cells[3], figures.total());
            // As the results (the overview, --results) show it.
            EXPECT_EQ(section::resultTable(section::Survey(closed)).rows.back().back(),
                      figures.total());
        }
        const section::CutFillSurvey cutFill = quantity_surveys::cutFillSurvey(random, sections);
        const QuantityTable cutFillTable = quantityTable(cutFill, {}, 15);
        const section::CutFillFigures cutFillFigures(cutFill);
        if (printedSum(cutFillTable, 3) != *thousandths(cutFillFigures.cut().total())) {
            ++cutFillFound;
            EXPECT_EQ(cutFillTable.total.cells[3], cutFillFigures.cut().total());
            EXPECT_EQ(cutFillTable.total.cells[4], cutFillFigures.fill().total());
            EXPECT_EQ(cutFillTable.pages.back().rows.back().cells[5], cutFillFigures.cut().total());
            const std::vector<std::string> last =
                section::resultTable(section::Survey(cutFill)).rows.back();
            EXPECT_EQ(last[last.size() - 2], cutFillFigures.cut().total());
            EXPECT_EQ(last.back(), cutFillFigures.fill().total());
        }
    }
    EXPECT_GE(closedFound, 3);
    EXPECT_GE(cutFillFound, 3);
}

// A sum is that of the decimals the values stand for, rounded once with
// halves to the even neighbour, even where the 64-bit sum lies across the half.
TEST(QuantityTable, sums_the_values_as_the_decimals_they_stand_for) {
    const struct {
        std::vector<double> values;
        const char* sum;
    } cases[] = {
        {{}, "0.000"},
        {{0.0625, 0.0625}, "0.125"},
        // The 64-bit sums lie across the half from the decimals'.
        {{0.1, 0.2, 0.0005}, "0.300"},        // 0.3005 to the even 0.300
        {{123456.7895, -123456.0}, "0.790"},  // 0.7895 to the even 0.790
        {{1e6, 0.0035, -1e6}, "0.004"},       // the big values cancel
    };
    for (const auto& c : cases) EXPECT_EQ(roundedSum(c.values), c.sum) << c.sum;
}

// 0.0625 m², a little more in 64 bits, is 0.062 here as on the sheet.
TEST(QuantityTable, rounds_cut_and_fill_exactly_at_halves) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (const double station : {0.0, 1.0})
        survey.sections.push_back({station, 0.0, {{0.025, 0}, {0.025, 2.5}}, {{0, 0}, {0, 2.5}}});
    ASSERT_FALSE(section::calculateCutFill(survey));
    const QuantityTable table = quantityTable(survey, {}, 0);
    const std::vector<std::string>& first = table.pages.front().rows.front().cells;
    EXPECT_EQ(first[0], "0.062");
    EXPECT_EQ(first[3], "0.062");
}

TEST(QuantityTable, pages_hold_forty_rows_upright_and_thirty_across) {
    std::mt19937 random(1);
    EXPECT_EQ(quantityTable(quantity_surveys::closedSurvey(random, 81, true), {}).pages.size(), 3u);
    EXPECT_EQ(quantityTable(quantity_surveys::cutFillSurvey(random, 61), {}).pages.size(), 3u);
    const QuantityTable one = quantityTable(quantity_surveys::closedSurvey(random, 40, false), {});
    ASSERT_EQ(one.pages.size(), 1u);
    EXPECT_FALSE(one.landscape);
    EXPECT_EQ(one.pages[0].rows.back().cells[1], "");  // no distance after the last section
}

}  // namespace
}  // namespace printout
