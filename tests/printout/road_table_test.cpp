// SPDX-License-Identifier: GPL-3.0-or-later
// The 路基设计表 as a ruled table: the section rows under their heads, paged,
// with nothing to add up.
#include "printout/road_table.h"

#include <gtest/gtest.h>

#include "section/any_survey.h"
#include "section/road_table.h"

namespace printout {
namespace {

section::Survey threeSections() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "Y";
    const section::SideFit side{section::SlopeKind::Fill, 4, 6};
    for (double station : {0.0, 20.0, 40.0}) {
        survey.sections.push_back({.station = station,
                                   .ground = {{100, -10}, {100, 10}},
                                   .fit = section::RoadFit{100.0, 101.0, side, side}});
    }
    return section::Survey(std::move(survey));
}

TEST(RoadTable, pages_the_section_rows_under_the_heads_across_the_page_without_sums) {
    const section::Survey survey = threeSections();
    section::ProjectInfo project;
    project.projectName = "某某公路改建工程";
    const QuantityTable table = roadTable(survey, project, 2);
    EXPECT_EQ(table.title, "路基设计表");
    EXPECT_EQ(table.keyTitle, "桩号");
    EXPECT_TRUE(table.landscape);
    EXPECT_FALSE(table.summed());
    EXPECT_EQ(table.project.projectName, "某某公路改建工程");
    ASSERT_EQ(table.columns.size(), section::kRoadTableCells);
    EXPECT_EQ(columnHead(table.columns[0]), "地面高程(m)");
    EXPECT_EQ(columnHead(table.columns[9]), "右边坡");
    const std::vector<section::RoadTableRow> rows = section::roadTableRows(survey);
    ASSERT_EQ(table.pages.size(), 2u);
    EXPECT_EQ(table.pages[0].rows.size(), 2u);
    std::vector<QuantityRow> paged;
    for (const QuantityPage& page : table.pages)
        paged.insert(paged.end(), page.rows.begin(), page.rows.end());
    ASSERT_EQ(paged.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(paged[k].key, rows[k].station);
        EXPECT_EQ(paged[k].cells,
                  std::vector<std::string>(rows[k].cells.begin(), rows[k].cells.end()));
    }
}

TEST(RoadTable, a_closed_outline_gives_one_empty_page) {
    const QuantityTable table = roadTable(section::Survey(section::SectionSurvey()), {});
    ASSERT_EQ(table.pages.size(), 1u);
    EXPECT_TRUE(table.pages[0].rows.empty());
}

}  // namespace
}  // namespace printout
