// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/cut_fill_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "printout/chain_breaks.h"
#include "section/cut_fill_calculation.h"

namespace printout {
namespace {

// Each line as its column stops and texts: "@12 text @29 text".
std::vector<std::string> lineTexts(const Sheet& sheet) {
    std::vector<std::string> lines;
    for (const SheetLine& line : sheet.lines) {
        std::string text;
        for (const PrintItem& item : line.items) {
            if (const auto* stop = std::get_if<ColumnStop>(&item))
                text += (text.empty() ? "@" : " @") + std::to_string(stop->column) + " ";
            if (const auto* t = std::get_if<Text>(&item)) text += t->text;
        }
        lines.push_back(text);
    }
    return lines;
}

section::CutFillSection sectionAt(double station, std::vector<section::Point> ground,
                                  std::vector<section::Point> design) {
    section::CutFillSection section;
    section.station = station;
    section.ground = std::move(ground);
    section.design = std::move(design);
    return section;
}

TEST(CutFillSheet, lists_both_lines_the_areas_the_volumes_and_the_net) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    // 100 m² of fill; a cut of 4 by a design 1 m below over 4 m, its ground
    // of seven points on two lines of the sheet; then a ground line alone.
    survey.sections = {sectionAt(0, {{0, -20}, {0, 20}}, {{0, -15}, {5, -5}, {5, 5}, {0, 15}}),
                       sectionAt(10, {{0, -3}, {0, -2}, {0, -1}, {0, 0}, {0, 1}, {0, 2}, {0, 3}},
                                 {{-1, -2}, {-1, 2}}),
                       sectionAt(30, {{0, -2}, {0, 2}}, {})};
    ASSERT_FALSE(section::calculateCutFill(survey));
    const Sheet sheet = cutFillSheet(survey);
    EXPECT_EQ(sheet.fontName, "宋体");
    EXPECT_EQ(sheet.lines.front().points, 12.0);
    EXPECT_EQ(lineTexts(sheet),
              (std::vector<std::string>{
                  "@28 ( 填挖方计算 )",
                  "@22 地面线和设计线观测点  高程 h(米)/距离 S(米):",
                  "",
                  "@12 ( K0+000.000断面 ) :",
                  "@12 地面线 :",
                  "@12 0.000/-20.000 @29 0.000/20.000",
                  "@12 设计线 :",
                  "@12 0.000/-15.000 @29 5.000/-5.000 @46 5.000/5.000 @63 0.000/15.000",
                  "@24 挖方面积=0.000  填方面积=100.000 (平方米)",
                  "",
                  "@12 ( K0+010.000断面 ) :",
                  "@12 地面线 :",
                  "@12 0.000/-3.000 @29 0.000/-2.000 @46 0.000/-1.000 @63 0.000/0.000 @80 "
                  "0.000/1.000",
                  "@12 0.000/2.000 @29 0.000/3.000",
                  "@12 设计线 :",
                  "@12 -1.000/-2.000 @29 -1.000/2.000",
                  "@24 挖方面积=4.000  填方面积=0.000 (平方米)",
                  "",
                  "@12 ( K0+030.000断面 ) :",
                  "@12 地面线 :",
                  "@12 0.000/-2.000 @29 0.000/2.000",
                  "@12 设计线 :",
                  "@24 没有挖方和填方面积（两条线在距离上没有重叠，或一条线不到两个点）",
                  "",
                  "@22 断面间距(米) :",
                  "",
                  "@24 DL=10.000",
                  "@24 DL=20.000",
                  "",
                  "@22 挖方和填方体积 (立方米) :",
                  "",
                  "@24 第1段 : 挖方=20.000  填方=500.000",
                  "@24 第2段 : 没有计算（一端的断面没有面积），不计入总量",
                  "",
                  "@24 总挖方 : 20.000 (立方米)",
                  "@24 总填方 : 500.000 (立方米)",
                  "@24 净方量 (挖-填) : -480.000 (立方米)",
              }));
}

// A strip 2.5 m wide and 25 mm high is 0.0625 m² exactly, a little more in
// 64 bits: the sheet rounds the exact value, halves to even, as everywhere.
TEST(CutFillSheet, rounds_areas_volumes_and_totals_exactly_at_halves) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (const double station : {0.0, 1.0})
        survey.sections.push_back(
            sectionAt(station, {{0.025, 0}, {0.025, 2.5}}, {{0, 0}, {0, 2.5}}));
    ASSERT_FALSE(section::calculateCutFill(survey));
    const std::vector<std::string> lines = lineTexts(cutFillSheet(survey));
    for (const char* expected :
         {"@24 挖方面积=0.062  填方面积=0.000 (平方米)", "@24 第1段 : 挖方=0.062  填方=0.000",
          "@24 总挖方 : 0.062 (立方米)", "@24 净方量 (挖-填) : 0.062 (立方米)"})
        EXPECT_NE(std::ranges::find(lines, expected), lines.end()) << expected;
}

TEST(ChainBreaks, are_listed_after_the_sheet_with_their_kind_and_exact_length) {
    Sheet sheet;
    sheet.lines.push_back({10.0, {Text{"最后一行"}}});
    const Sheet unchanged = sheet;
    listChainBreaks(sheet, {});
    EXPECT_EQ(sheet, unchanged);
    listChainBreaks(sheet, {{.before = 1100.1, .after = 1080.05}, {.before = 2000, .after = 2050}});
    EXPECT_EQ(lineTexts(sheet), (std::vector<std::string>{
                                    "最后一行",
                                    "",
                                    "@22 断链 :",
                                    "",
                                    "@24 K1+100.100=K1+080.050  长链 20.050 米",
                                    "@24 K2+000.000=K2+050.000  短链 50.000 米",
                                }));
}

}  // namespace
}  // namespace printout
