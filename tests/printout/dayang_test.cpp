// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/dayang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "printed_sheet.h"
#include "section/calculation.h"
#include "section/survey.h"

namespace printout {
namespace {

using section::SectionSurvey;

const std::string kLegend = "观测点高程/距离  h(米)/观测点至断面端点距离 d(米):";

struct Point {
    double elevation;
    double offset;
};

// A survey whose sections hold the given points; stations, spacings, areas and
// volumes stay 0 unless a test sets them.
SectionSurvey surveyOf(const std::vector<std::vector<Point>>& sections,
                       const std::string& stationAnswer = "n") {
    SectionSurvey survey;
    const int n = static_cast<int>(sections.size());
    survey.resize(n);
    survey.setStationAnswer(stationAnswer);
    for (int i = 1; i <= n; ++i) {
        survey.setPointCount(i, static_cast<std::int16_t>(sections[i - 1].size()));
    }
    survey.allocatePoints();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            const Point& p = sections[i - 1][j - 1];
            survey.setPoint(i, j, p.elevation, p.offset);
        }
    }
    return survey;
}

// The lines after the line whose last item is `text`, up to the next empty line.
std::vector<PrintLine> linesAfter(const std::vector<PrintLine>& lines, const std::string& text) {
    auto found = std::find_if(lines.begin(), lines.end(), [&](const PrintLine& line) {
        return !line.empty() && line.back() == PrintItem{Text{text}};
    });
    if (found == lines.end()) return {};
    auto end =
        std::find_if(found + 1, lines.end(), [](const PrintLine& line) { return line.empty(); });
    return {found + 1, end};
}

// The summary lines under a heading (headings are followed by an empty line).
std::vector<PrintLine> linesUnder(const std::vector<PrintLine>& lines, const std::string& heading) {
    auto found = std::find(lines.begin(), lines.end(), PrintLine{ColumnStop{22}, Text{heading}});
    if (found == lines.end() || found + 1 == lines.end()) return {};
    auto end =
        std::find_if(found + 2, lines.end(), [](const PrintLine& line) { return line.empty(); });
    return {found + 2, end};
}

TEST(DayangSheet, BeforeAnyCalculationHoldsTheHeadingsAndAZeroTotal) {
    const PrintedSheet printer = printed(SectionSurvey{});

    const std::vector<PrintLine> expected{
        {ColumnStop{28}, Text{"( 方量计算 )"}},
        {ColumnStop{22}, Text{kLegend}},
        {},
        {ColumnStop{22}, Text{"断面间距(米) :"}},
        {},
        {},
        {ColumnStop{22}, Text{"断面面积 (平方米) :"}},
        {},
        {},
        {ColumnStop{22}, Text{"计算后的体积 (立方米) :"}},
        {},
        {},
        {ColumnStop{24}, Text{"总体积 : [ D ]="}, Text{"0.000 (立方米)"}},
    };
    EXPECT_EQ(printer.lines, expected);
}

TEST(DayangSheet, StartsBelowThePageTopInSongWithTheTitleLargerThanTheRest) {
    const Sheet sheet = printed(surveyOf({{{1, 2}}})).sheet;

    EXPECT_EQ(sheet.fontName, "宋体");
    EXPECT_EQ(sheet.startAcrossTwips, 1500.0);
    EXPECT_EQ(sheet.startDownTwips, 1000.0);
    ASSERT_GT(sheet.lines.size(), 2u);
    EXPECT_EQ(sheet.lines[0].points, 12.0);
    EXPECT_TRUE(std::all_of(sheet.lines.begin() + 1, sheet.lines.end(),
                            [](const SheetLine& line) { return line.points == 10.0; }));
}

struct NamingRow {
    const char* name;
    std::string stationAnswer;
    double station;
    std::string header;
    std::string areaLabel;
};

// The row's name stands for it in test names and messages.
void PrintTo(const NamingRow& row, std::ostream* out) {
    *out << row.name;
}

class SectionNaming : public testing::TestWithParam<NamingRow> {};

TEST_P(SectionNaming, NamesTheSectionTheSameWayInItsHeaderAndItsAreaLine) {
    const NamingRow& row = GetParam();
    SectionSurvey survey = surveyOf({{}}, row.stationAnswer);
    survey.setStation(1, row.station);
    survey.setArea(1, 2.5);
    const PrintedSheet printer = printed(survey);

    EXPECT_EQ(printer.lines[3], (PrintLine{ColumnStop{12}, Text{row.header}}));
    EXPECT_EQ(linesUnder(printer.lines, "断面面积 (平方米) :"),
              (std::vector<PrintLine>{
                  {ColumnStop{24}, Text{row.areaLabel}, Number{1}, Text{")="}, Text{"2.500"}}}));
}

INSTANTIATE_TEST_SUITE_P(
    , SectionNaming,
    testing::Values(
        NamingRow{"lower_case_y_names_the_station", "y", 1250.5,
                  "( K1+250.500断面 ) :", "K1+250.500断面面积 : S("},
        NamingRow{"capital_Y_names_the_station", "Y", 80,
                  "( K0+080.000断面 ) :", "K0+080.000断面面积 : S("},
        NamingRow{"y_with_blanks_around_it_names_the_station", " y ", 80,
                  "( K0+080.000断面 ) :", "K0+080.000断面面积 : S("},
        NamingRow{"station_zero_is_K0", "y", 0, "( K0+000.000断面 ) :", "K0+000.000断面面积 : S("},
        NamingRow{"metres_rounding_up_to_1000_carry_into_the_kilometres", "y", 999.9996,
                  "( K1+000.000断面 ) :", "K1+000.000断面面积 : S("},
        NamingRow{"n_numbers_the_section", "n", 1250.5, "( 第 1 号断面 ) :", "第 1 号断面积 S("},
        NamingRow{"capital_N_numbers_the_section", "N", 1250.5,
                  "( 第 1 号断面 ) :", "第 1 号断面积 S("},
        NamingRow{"an_empty_answer_numbers_the_section", "", 0,
                  "( 第 1 号断面 ) :", "第 1 号断面积 S("}),
    [](const testing::TestParamInfo<NamingRow>& info) { return info.param.name; });

struct PointLinesRow {
    const char* name;
    int pointCount;
    std::vector<std::vector<int>> columnsPerLine;
};

// The row's name stands for it in test names and messages.
void PrintTo(const PointLinesRow& row, std::ostream* out) {
    *out << row.name;
}

class PointLines : public testing::TestWithParam<PointLinesRow> {};

// Point j of the section is j/-j, so every text shows which point it is.
TEST_P(PointLines, SetsFivePointsToALineSeventeenColumnsApart) {
    const PointLinesRow& row = GetParam();
    std::vector<Point> points;
    for (int j = 1; j <= row.pointCount; ++j) points.push_back({double(j), -double(j)});

    std::vector<PrintLine> expected;
    int j = 0;
    for (const std::vector<int>& columns : row.columnsPerLine) {
        PrintLine& line = expected.emplace_back();
        for (int column : columns) {
            ++j;
            const std::string n = std::to_string(j);
            line.push_back(ColumnStop{column});
            line.push_back(Text{n + ".000/-" + n + ".000"});
        }
    }
    EXPECT_EQ(linesAfter(printed(surveyOf({points})).lines, "( 第 1 号断面 ) :"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    , PointLines,
    testing::Values(
        PointLinesRow{"no_points_leave_the_header_alone", 0, {}},
        PointLinesRow{"four_points_take_one_short_line", 4, {{12, 29, 46, 63}}},
        PointLinesRow{"five_points_fill_exactly_one_line", 5, {{12, 29, 46, 63, 80}}},
        PointLinesRow{"seven_points_split_five_and_two", 7, {{12, 29, 46, 63, 80}, {12, 29}}},
        PointLinesRow{
            "ten_points_fill_exactly_two_lines", 10, {{12, 29, 46, 63, 80}, {12, 29, 46, 63, 80}}}),
    [](const testing::TestParamInfo<PointLinesRow>& info) { return info.param.name; });

TEST(DayangSheet, PrintsEachSectionsOwnPointsWithTheirSigns) {
    const PrintedSheet printer = printed(surveyOf({{{102.35, -3.5}}, {{-1.25, -10}, {0.5, 12}}}));

    EXPECT_EQ(linesAfter(printer.lines, "( 第 1 号断面 ) :"),
              (std::vector<PrintLine>{{ColumnStop{12}, Text{"102.350/-3.500"}}}));
    EXPECT_EQ(linesAfter(printer.lines, "( 第 2 号断面 ) :"),
              (std::vector<PrintLine>{
                  {ColumnStop{12}, Text{"-1.250/-10.000"}, ColumnStop{29}, Text{"0.500/12.000"}}}));
}

TEST(DayangSheet, ASingleSectionHasAnAreaLineButNoSpacingOrVolumeLine) {
    SectionSurvey survey = surveyOf({{{1, 1}, {2, 2}, {3, 3}}});
    survey.setArea(1, 4);
    const PrintedSheet printer = printed(survey);

    EXPECT_TRUE(linesUnder(printer.lines, "断面间距(米) :").empty());
    EXPECT_EQ(linesUnder(printer.lines, "断面面积 (平方米) :").size(), 1u);
    EXPECT_TRUE(linesUnder(printer.lines, "计算后的体积 (立方米) :").empty());
}

TEST(DayangSheet, RoundsAreasVolumesAndTheTotalBeforeFormattingButOnlyFormatsSpacings) {
    // Three small triangles of exactly 0.0625 square metres each, 0.0625 m and
    // 1 m apart: the second volume is exactly 0.0625 cubic metres.
    const std::vector<Point> small{{100, 0.25}, {100.25, 0}, {100, -0.25}};
    SectionSurvey survey = surveyOf({small, small, small});
    survey.setSpacing(1, 0.0625);
    survey.setSpacing(2, 1);
    ASSERT_TRUE(section::calculateSurvey(survey));
    const PrintedSheet printer = printed(survey);

    EXPECT_EQ(linesUnder(printer.lines, "断面间距(米) :")[0],
              (PrintLine{ColumnStop{24}, Text{"DL="}, Text{"0.063"}}));
    EXPECT_EQ(linesUnder(printer.lines, "断面面积 (平方米) :")[0],
              (PrintLine{ColumnStop{24}, Text{"第 1 号断面积 S("}, Number{1}, Text{")="},
                         Text{"0.062"}}));
    EXPECT_EQ(linesUnder(printer.lines, "计算后的体积 (立方米) :"),
              (std::vector<PrintLine>{
                  {ColumnStop{24}, Text{"第1段体积 : D("}, Number{1}, Text{")="}, Text{"0.004"}},
                  {ColumnStop{24}, Text{"第2段体积 : D("}, Number{2}, Text{")="}, Text{"0.062"}}}));
    EXPECT_EQ(printer.lines.back(),
              (PrintLine{ColumnStop{24}, Text{"总体积 : [ D ]="}, Text{"0.066 (立方米)"}}));
}

TEST(DayangSheet, ListsEverySectionOfALongSurveyWithTwoDigitNumbers) {
    const PrintedSheet printer = printed(surveyOf(std::vector<std::vector<Point>>(13)));

    const std::vector<PrintLine> spacings = linesUnder(printer.lines, "断面间距(米) :");
    const std::vector<PrintLine> areas = linesUnder(printer.lines, "断面面积 (平方米) :");
    const std::vector<PrintLine> volumes = linesUnder(printer.lines, "计算后的体积 (立方米) :");
    ASSERT_EQ(spacings.size(), 12u);
    ASSERT_EQ(areas.size(), 13u);
    ASSERT_EQ(volumes.size(), 12u);
    EXPECT_EQ(areas[11], (PrintLine{ColumnStop{24}, Text{"第 12 号断面积 S("}, Number{12},
                                    Text{")="}, Text{"0.000"}}));
    EXPECT_EQ(volumes[11], (PrintLine{ColumnStop{24}, Text{"第12段体积 : D("}, Number{12},
                                      Text{")="}, Text{"0.000"}}));
    EXPECT_EQ(std::count(printer.lines.begin(), printer.lines.end(),
                         PrintLine{ColumnStop{12}, Text{"( 第 12 号断面 ) :"}}),
              1);
}

}  // namespace
}  // namespace printout
