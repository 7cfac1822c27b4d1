// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/quantity_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include "quantity_surveys.h"
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

// Every page's 小计 is the sum of its rows, the pages' 小计 add up to the 合计,
// the running totals follow the volumes, and the rows are the survey's.
void expectTableAddsUp(const QuantityTable& table, int sections, int rowsPerPage) {
    const std::size_t columns = table.columns.size();
    std::vector<long long> total(columns, 0);
    int rows = 0;
    ASSERT_EQ(table.pages.size(), std::size_t((sections + rowsPerPage - 1) / rowsPerPage));
    for (const QuantityPage& page : table.pages) {
        EXPECT_LE(int(page.rows.size()), rowsPerPage);
        std::vector<long long> sums(columns, 0);
        for (const QuantityRow& row : page.rows) {
            ++rows;
            for (std::size_t c = 0; c < columns; ++c)
                sums[c] += thousandths(row.cells[c]).value_or(0);
        }
        EXPECT_EQ(page.subtotal.key, "小计");
        for (std::size_t c = 0; c < columns; ++c) {
            if (!table.columns[c].summed) {
                EXPECT_EQ(page.subtotal.cells[c], "") << table.columns[c].title;
                continue;
            }
            EXPECT_EQ(thousandths(page.subtotal.cells[c]), sums[c]) << table.columns[c].title;
            total[c] += *thousandths(page.subtotal.cells[c]);
        }
    }
    EXPECT_EQ(rows, sections);
    EXPECT_EQ(table.total.key, "合计");
    for (std::size_t c = 0; c < columns; ++c) {
        if (table.columns[c].summed) {
            EXPECT_EQ(thousandths(table.total.cells[c]), total[c]);
        }
    }
    // The running total of each volume column: before the first row 0, on the
    // last row the column's 合计.
    const std::size_t running = columns - (columns == 4 ? 1 : 2);
    for (std::size_t k = running; k < columns; ++k) {
        const std::size_t volume = k - (columns == 4 ? 1 : 2);
        long long sum = 0;
        for (const QuantityPage& page : table.pages) {
            for (const QuantityRow& row : page.rows) {
                EXPECT_EQ(thousandths(row.cells[k]), sum) << row.key;
                sum += thousandths(row.cells[volume]).value_or(0);
            }
        }
        EXPECT_EQ(thousandths(table.total.cells[volume]), sum);
    }
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
            expectTableAddsUp(table, sections, rowsPerPage);
            // The figures are the sheet's, rounded as exactly.
            const section::CutFillFigures figures(survey);
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
        expectTableAddsUp(table, sections, rowsPerPage);
        // The figures are the sheet's. The 合计 adds them as printed, so it may
        // differ from the sheet's 总体积 (the sum before rounding) by no more
        // than the rounding of each volume.
        const section::Figures figures(survey);
        EXPECT_EQ(table.pages.front().rows.front().cells[0], figures.area(1));
        if (sections > 1) {
            EXPECT_EQ(table.pages.front().rows.front().cells[2], figures.volume(1));
        }
        const long long apart = *thousandths(table.total.cells[2]) - *thousandths(figures.total());
        EXPECT_LE(2 * std::abs(apart), sections) << table.total.cells[2] << " " << figures.total();
    }
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
