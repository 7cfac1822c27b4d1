// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/earthworks_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

#include "quantity_surveys.h"
#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"

namespace printout {
namespace {

using runtime::ExactDecimal;

std::size_t columnOf(const QuantityTable& table, const std::string& group, const std::string& title,
                     const std::string& unit = "m³") {
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        if (table.columns[c].group == group && table.columns[c].title == title &&
            table.columns[c].unit == unit)
            return c;
    ADD_FAILURE() << group << " " << title;
    return 0;
}

section::Survey withDesign(section::CutFillSurvey cutFill, const section::RoadDesign& design) {
    section::Survey survey(std::move(cutFill));
    EXPECT_FALSE(survey.setRoadDesign(design));
    return survey;
}

// Two sections 10 m apart whose pair has the volumes given, as a file may
// carry them without lines.
section::CutFillSurvey onePair(double cut, double fill) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    survey.sections.resize(2);
    survey.sections[1].station = 10;
    survey.sections[0].spacing = 10;
    for (section::CutFillSection& s : survey.sections)
        s.areas = section::CutFillAreas{cut / 10, fill / 10};
    survey.sections[0].cutVolume = cut;
    survey.sections[0].fillVolume = fill;
    survey.totalCut = cut;
    survey.totalFill = fill;
    return survey;
}

TEST(EarthworksTable, writes_the_worked_pair_on_its_end_stations_row) {
    section::RoadDesign design;
    design.soilClasses = {{{0, 450}, {0, 30, 0, 70, 0, 0}}};
    const QuantityTable table = earthworksTable(withDesign(onePair(300, 200), design), {});
    EXPECT_EQ(table.title, "路基土石方数量计算表");
    EXPECT_TRUE(table.large);
    ASSERT_EQ(table.pages.size(), 1u);
    ASSERT_EQ(table.pages[0].rows.size(), 2u);
    const QuantityRow& first = table.pages[0].rows[0];
    const QuantityRow& row = table.pages[0].rows[1];
    EXPECT_EQ(first.key, "K0+000.000");
    EXPECT_EQ(first.cells[columnOf(table, "", "挖方总数量")], "");
    EXPECT_EQ(row.key, "K0+010.000");
    const auto cell = [&](const std::string& group, const std::string& title,
                          const std::string& unit = "m³") {
        return row.cells[columnOf(table, group, title, unit)];
    };
    EXPECT_EQ(cell("", "挖方总数量"), "300.000");
    EXPECT_EQ(cell("", "填方数量"), "200.000");
    EXPECT_EQ(cell("挖方分类及数量", "Ⅱ", "%"), "30.000");
    EXPECT_EQ(cell("挖方分类及数量", "Ⅳ"), "210.000");
    EXPECT_EQ(cell("本桩利用(天然方)", "Ⅱ"), "90.000");
    EXPECT_EQ(cell("本桩利用(天然方)", "Ⅳ"), "112.621");
    EXPECT_EQ(cell("挖余(天然方)", "石Ⅳ"), "97.379");
    EXPECT_EQ(cell("挖余(天然方)", "石小计"), "97.379");
    EXPECT_EQ(cell("挖余(天然方)", "土小计"), "0.000");
    EXPECT_EQ(cell("填缺(压实方)", "数量"), "0.000");
    EXPECT_EQ(table.total.cells, table.pages[0].subtotal.cells);
    EXPECT_EQ(table.pages[0].kilometre->cells, table.total.cells);
    EXPECT_EQ(table.note, "");
    EXPECT_NE(table.footnote.find("四舍五入"), std::string::npos);
    EXPECT_EQ(table.footnote.find("Ⅱ类普通土"), std::string::npos);

    const QuantityTable closed =
        earthworksTable(section::emptySurvey(section::SurveyKind::ClosedOutline, true), {});
    ASSERT_EQ(closed.pages.size(), 1u);
    EXPECT_TRUE(closed.pages[0].rows.empty());
    EXPECT_EQ(closed.total.cells.size(), closed.columns.size());

    section::Survey prismoidal = withDesign(onePair(300, 200), {});
    prismoidal.setVolumeMethod(section::VolumeMethod::Prismoidal);
    const QuantityTable unclassed = earthworksTable(prismoidal, {});
    EXPECT_EQ(unclassed.note, "体积按棱台法计算");
    EXPECT_NE(unclassed.footnote.find("Ⅱ类普通土"), std::string::npos);
}

TEST(EarthworksTable, starts_a_block_named_for_each_structure) {
    section::CutFillSurvey cutFill;
    cutFill.stationAnswer = "Y";
    for (double station : {460.0, 470.0, 530.0, 540.0}) {
        section::CutFillSection s;
        s.station = station;
        s.ground = {{1, -5}, {1, 5}};
        s.design = {{0, -5}, {0, 5}};
        cutFill.sections.push_back(s);
    }
    section::RoadDesign design;
    design.structures = {{{480, 520}, "小桥"}};
    section::Survey survey = withDesign(std::move(cutFill), design);
    ASSERT_FALSE(section::calculate(survey));
    const QuantityTable table = earthworksTable(survey, {});
    ASSERT_EQ(table.pages.size(), 2u);
    ASSERT_EQ(table.pages[1].rows.size(), 3u);
    EXPECT_EQ(table.pages[0].rows.back().key, "K0+470.000");
    EXPECT_EQ(table.pages[1].rows[0].key, "小桥");
    EXPECT_EQ(table.pages[1].rows[1].key, "K0+530.000");
    const std::size_t cut = columnOf(table, "", "挖方总数量");
    EXPECT_EQ(table.pages[1].rows[1].cells[cut], "200.000");  // 20 m of 60 counted
    EXPECT_EQ(table.pages[1].subtotal.cells[cut], "300.000");
    EXPECT_EQ(table.total.cells[cut], "400.000");
    EXPECT_NE(table.footnote.find("小桥（K0+480.000～K0+520.000）"), std::string::npos);

    // In the first pair: on the first page, after the first section's row.
    design.structures = {{{461, 465}, "涵洞"}};
    ASSERT_FALSE(survey.setRoadDesign(design));
    ASSERT_FALSE(section::calculate(survey));
    const QuantityTable first = earthworksTable(survey, {});
    ASSERT_EQ(first.pages.size(), 1u);
    EXPECT_EQ(first.pages[0].rows[1].key, "涵洞");
}

double sumOf(const std::vector<const QuantityRow*>& rows, std::size_t c) {
    ExactDecimal sum;
    for (const QuantityRow* row : rows)
        if (!row->values.empty() && row->values[c]) sum = sum + ExactDecimal::of(*row->values[c]);
    return sum.nearest();
}

// The kilometre of the pair ending on section i (1-based, from 2), by its
// middle.
int kilometreOf(const std::vector<double>& stations, std::size_t i) {
    return int(std::floor((stations[i - 2] + stations[i - 1]) / 2000.0));
}

std::string rounded(double value) {
    return runtime::roundedFixed3(runtime::shortestDecimal(value));
}

// Over several kilometres: pages break at each kilometre stake and when
// full, every 小计 is the rounded sum of its rows' unrounded values, the
// 本公里小计 of the kilometre's rows, and the 合计 of the cut and the fill
// are the calculation's own totals.
TEST(EarthworksTable, subtotals_add_up_the_unrounded_rows_by_page_and_by_kilometre) {
    std::mt19937 random(4);
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        section::CutFillSurvey cutFill = quantity_surveys::cutFillSurvey(random, 150);
        section::RoadDesign design;
        const double start = cutFill.sections.front().station;
        design.soilClasses = {{{start, start + 1500}, {10, 20, 30, 40, 0, 0}},
                              {{start + 1500, start + 9000}, {0, 0, 25, 25, 25, 25}}};
        const section::CutFillFigures figures(cutFill);
        std::vector<double> stations;
        for (const section::CutFillSection& s : cutFill.sections) stations.push_back(s.station);
        const std::string cutTotal = figures.cut().total(), fillTotal = figures.fill().total();
        const QuantityTable table = earthworksTable(withDesign(std::move(cutFill), design), {}, 25);
        const std::size_t cut = columnOf(table, "", "挖方总数量");
        std::vector<const QuantityRow*> all, kilometre;
        std::size_t section = 0;
        for (std::size_t p = 0; p < table.pages.size(); ++p) {
            const QuantityPage& page = table.pages[p];
            EXPECT_LE(page.rows.size(), 25u);
            std::vector<const QuantityRow*> rows;
            std::set<int> kilometres;
            for (const QuantityRow& row : page.rows) {
                rows.push_back(&row);
                kilometres.insert(kilometreOf(stations, std::max<std::size_t>(++section, 2)));
            }
            EXPECT_EQ(kilometres.size(), 1u) << "page " << p;
            const bool lastOfKilometre = p + 1 == table.pages.size() ||
                                         kilometreOf(stations, section + 1) != *kilometres.begin();
            EXPECT_EQ(page.kilometre.has_value(), lastOfKilometre) << "page " << p;
            all.insert(all.end(), rows.begin(), rows.end());
            kilometre.insert(kilometre.end(), rows.begin(), rows.end());
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                if (!table.columns[c].summed) continue;
                EXPECT_EQ(page.subtotal.cells[c], rounded(sumOf(rows, c))) << c;
                if (page.kilometre) {
                    EXPECT_EQ(page.kilometre->cells[c], rounded(sumOf(kilometre, c)));
                }
            }
            if (page.kilometre) kilometre.clear();
        }
        EXPECT_EQ(section, stations.size());
        EXPECT_TRUE(kilometre.empty()) << "the last page ends its kilometre";
        EXPECT_GE(table.pages.size(), 4u);
        EXPECT_EQ(table.total.cells[cut], cutTotal);
        EXPECT_EQ(table.total.cells[columnOf(table, "", "填方数量")], fillTotal);
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            if (table.columns[c].summed && c != cut) {
                EXPECT_EQ(table.total.cells[c], rounded(sumOf(all, c))) << c;
            }
    }
}

}  // namespace
}  // namespace printout
