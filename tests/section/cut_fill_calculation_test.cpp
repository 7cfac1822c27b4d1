// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "section/cut_fill_rows.h"
#include "section/spacings.h"

namespace section {
namespace {

using Line = std::vector<Point>;

const Line kGround{{0, -20}, {0, 20}};
// Fill of 100 m² (10 m wide, 5 m high, 2:1 slopes).
const Line kEmbankment{{0, -15}, {5, -5}, {5, 5}, {0, 15}};
// The same shape in the ground, as wide as kGround: cut of 100 m².
const Line kCutting{{0, -20}, {0, -15}, {5, -5}, {5, 5}, {0, 15}, {0, 20}};
// Ground level at 1 against a design 0 over 0..2 and 3 over 2..4: cut 2, fill 4.
const Line kLevel{{1, 0}, {1, 4}};
const Line kStep{{0, 0}, {0, 2}, {3, 2}, {3, 4}};

CutFillSection cs(double station, double spacing, Line ground, Line design) {
    CutFillSection section;
    section.station = station;
    section.spacing = spacing;
    section.ground = std::move(ground);
    section.design = std::move(design);
    return section;
}

CutFillSurvey withStations(std::vector<CutFillSection> sections) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    survey.sections = std::move(sections);
    return survey;
}

CutFillSurvey withoutStations(std::vector<CutFillSection> sections) {
    CutFillSurvey survey = withStations(std::move(sections));
    survey.stationAnswer = "n";
    return survey;
}

TEST(CutFillCalculation, works_out_cut_and_fill_volumes_separately_by_average_end_areas) {
    CutFillSurvey survey =
        withStations({cs(1000, 0, kGround, kEmbankment), cs(1020.5, 0, kLevel, kStep),
                      cs(1040, 0, kCutting, kGround)});
    ASSERT_FALSE(calculateCutFill(survey));
    EXPECT_EQ(survey.sections[0].areas, (CutFillAreas{0, 100}));
    EXPECT_EQ(survey.sections[1].areas, (CutFillAreas{2, 4}));
    EXPECT_EQ(survey.sections[2].areas, (CutFillAreas{100, 0}));
    EXPECT_EQ(survey.sections[0].spacing, 20.5);
    EXPECT_EQ(survey.sections[1].spacing, 19.5);
    EXPECT_EQ(survey.sections[2].spacing, 0);
    EXPECT_EQ(survey.sections[0].cutVolume, (0 + 2) / 2.0 * 20.5);
    EXPECT_EQ(survey.sections[0].fillVolume, (100 + 4) / 2.0 * 20.5);
    EXPECT_EQ(survey.sections[1].cutVolume, (2 + 100) / 2.0 * 19.5);
    EXPECT_EQ(survey.sections[1].fillVolume, (4 + 0) / 2.0 * 19.5);
    EXPECT_EQ(survey.totalCut, 20.5 + 994.5);
    EXPECT_EQ(survey.totalFill, 1066 + 39.0);
    EXPECT_TRUE(cutFillWarnings(survey).empty());
}

TEST(CutFillCalculation, takes_spacings_from_stations_by_the_closed_outlines_rule) {
    CutFillSurvey survey =
        withStations({cs(1500.1, 0, kLevel, kStep), cs(1523.123, 0, kLevel, kStep)});
    ASSERT_FALSE(calculateCutFill(survey));
    EXPECT_EQ(survey.sections[0].spacing, 23.023);
    EXPECT_EQ(survey.sections[0].spacing, spacingBetween(1500.1, 1523.123));
    // Without stations the entered spacings stay, the last one cleared.
    CutFillSurvey entered = withoutStations({cs(0, 12.5, kLevel, kStep), cs(0, 7, kLevel, kStep)});
    ASSERT_FALSE(calculateCutFill(entered));
    EXPECT_EQ(entered.sections[0].spacing, 12.5);
    EXPECT_EQ(entered.sections[1].spacing, 0);
    EXPECT_EQ(entered.totalCut, 2 * 12.5);
}

TEST(CutFillCalculation, leaves_out_the_pairs_of_a_section_without_areas_and_says_so) {
    CutFillSurvey survey = withStations({cs(0, 0, kLevel, kStep), cs(10, 0, kLevel, Line{}),
                                         cs(20, 0, kLevel, kStep), cs(30, 0, kLevel, kStep)});
    ASSERT_FALSE(calculateCutFill(survey));
    EXPECT_FALSE(survey.sections[1].areas);
    EXPECT_FALSE(pairHasVolumes(survey, 1));
    EXPECT_FALSE(pairHasVolumes(survey, 2));
    EXPECT_TRUE(pairHasVolumes(survey, 3));
    EXPECT_EQ(survey.totalCut, 2 * 10.0);
    EXPECT_EQ(survey.totalFill, 4 * 10.0);
    const std::vector<SurveyWarning> warnings = cutFillWarnings(survey);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].section, 2);
    EXPECT_EQ(warnings[0].text,
              "K0+010.000断面（第 2 个断面）只有地面线，没有设计线，没有挖方和填方面积："
              "它与前一个断面之间、与后一个断面之间的体积没有计算，不计入总量。");

    const std::vector<CutFillRow> rows = cutFillRows(survey);
    EXPECT_FALSE(rows[1].areas);
    EXPECT_FALSE(rows[0].cutVolume);
    EXPECT_EQ(rows[0].spacing, 10.0);
    EXPECT_FALSE(rows[1].fillVolume);
    EXPECT_EQ(rows[2].cutVolume, 20.0);
    EXPECT_EQ(rows[3].runningCut, survey.totalCut);
    EXPECT_EQ(rows[3].runningFill, survey.totalFill);
}

TEST(CutFillCalculation, refuses_a_line_going_back_naming_the_section_line_and_point) {
    CutFillSurvey survey = withStations(
        {cs(0, 0, kLevel, kStep), cs(20, 0, kLevel, Line{{0, 0}, {0, 3}, {1, 2.5}, {1, 4}})});
    const std::optional<Fault> fault = calculateCutFill(survey);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->section, 2);
    EXPECT_EQ(fault->message,
              "K0+020.000断面（第 2 个断面）的设计线在第 3 点往回走了：距离 S 从 3 回到 2.5。"
              "一条线上各点的距离应一直增大或一直减小（相等时为竖直的一段），请核对这一点");
}

TEST(CutFillCalculation, refuses_results_beyond_the_accepted_range) {
    const Line high{{3e38, 0}, {3e38, 4}};
    CutFillSurvey survey = withStations({cs(0, 0, high, kStep), cs(1e30, 0, high, kStep)});
    std::optional<Fault> fault = calculateCutFill(survey);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->section, 1);
    EXPECT_EQ(fault->message,
              "K0+000.000断面（第 1 个断面）的挖方面积超出了数值范围（绝对值超过 3.4E+38）");
    // Cut (2 + 2) / 2 x 1e38 still fits, fill (4 + 4) / 2 x 1e38 does not.
    CutFillSurvey far = withoutStations({cs(0, 1e38, kLevel, kStep), cs(0, 0, kLevel, kStep)});
    fault = calculateCutFill(far);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message,
              "第 1 号断面（第 1 个断面）到下一个断面的填方体积超出了数值范围（绝对值超过 "
              "3.4E+38）");
}

TEST(CutFillResultTable, has_the_columns_of_results_with_empty_cells_where_nothing_is) {
    CutFillSurvey survey =
        withoutStations({cs(0, 12.5, kLevel, kStep), cs(0, 0, kGround, kEmbankment)});
    ASSERT_FALSE(calculateCutFill(survey));
    const ResultTable table = cutFillResultTable(survey);
    EXPECT_EQ(table.header,
              (std::vector<std::string>{
                  "断面", "桩号", "挖方面积(平方米)", "填方面积(平方米)", "至下一断面间距(米)",
                  "挖方体积(立方米)", "填方体积(立方米)", "累计挖方(立方米)", "累计填方(立方米)"}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"1", "", "2.000", "4.000", "12.500",
                                                       "12.500", "650.000", "0.000", "0.000"}));
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"2", "", "0.000", "100.000", "", "", "",
                                                       "12.500", "650.000"}));
}

// Volumes that come out negative or zero, and areas cut short by a ground
// line narrower than the design, are told, section and side named; the
// survey still calculates.
TEST(CutFillWarnings, tell_stations_spacings_and_uncovered_sides_as_closed_outlines_do) {
    const Line kWide{{0, -1}, {3, 2}, {3, 5}};  // beyond kLevel's 0..4 on both sides
    struct Row {
        const char* name;
        CutFillSurvey survey;
        std::vector<std::pair<int, std::string>> told;
    };
    const Row rows[] = {
        {"station_decreasing",
         withStations(
             {cs(20, 0, kLevel, kStep), cs(50, 0, kLevel, kStep), cs(30, 0, kLevel, kStep)}),
         {{3,
           "K0+030.000断面（第 3 个断面）的桩号小于前一个断面的桩号 K0+050.000，间距为 "
           "-20.000 米，这一段的体积为负：桩号应当逐个增大，请核对桩号。"}}},
        {"station_repeated",
         withStations({cs(20, 0, kLevel, kStep), cs(20, 0, kLevel, kStep)}),
         {{2,
           "K0+020.000断面（第 2 个断面）的桩号与前一个断面相同，间距为 0，这一段没有体积："
           "同一个桩号可能输入了两次，请核对桩号。"}}},
        {"spacings_zero_and_negative",
         withoutStations(
             {cs(0, 0, kLevel, kStep), cs(0, -5, kLevel, kStep), cs(0, 0, kLevel, kStep)}),
         {{1,
           "第 1 号断面至第 2 号断面的间距为 0.000 米，这一段的体积为零：间距应当大于零，"
           "请核对间距。"},
          {2,
           "第 2 号断面至第 3 号断面的间距为 -5.000 米，这一段的体积为负：间距应当大于零，"
           "请核对间距。"}}},
        {"design_beyond_the_ground_on_both_sides",
         withStations({cs(0, 0, kLevel, kStep), cs(10, 0, kLevel, kWide)}),
         {{2,
           "K0+010.000断面（第 2 个断面）的地面线没有盖住设计线的左侧：设计线到距离 S = 5 "
           "米，地面线只到 4 米，挖方和填方面积只算了两条线重叠的部分：请核对地面线是否漏测"
           "了点。"},
          {2,
           "K0+010.000断面（第 2 个断面）的地面线没有盖住设计线的右侧：设计线到距离 S = -1 "
           "米，地面线只到 0 米，挖方和填方面积只算了两条线重叠的部分：请核对地面线是否漏测"
           "了点。"}}},
        {"ground_beyond_the_design_is_usual",
         withStations({cs(0, 0, kGround, kEmbankment), cs(10, 0, kWide, kLevel)}),
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CutFillSurvey survey = row.survey;
        ASSERT_FALSE(calculateCutFill(survey));
        std::vector<std::pair<int, std::string>> told;
        for (const SurveyWarning& warning : cutFillWarnings(survey))
            told.emplace_back(warning.section, warning.text);
        EXPECT_EQ(told, row.told);
    }
}

}  // namespace
}  // namespace section
