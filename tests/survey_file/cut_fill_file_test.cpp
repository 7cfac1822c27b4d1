// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "read_parts.h"
#include "section/cut_fill_calculation.h"
#include "survey_file/hdm.h"
#include "survey_file/survey_file.h"

namespace survey_file {
namespace {

using section::CutFillSection;
using section::CutFillSurvey;
using section::Point;

// Random sections with values of at most three decimals, some lines empty.
CutFillSurvey randomSurvey(std::mt19937_64& random, bool stations) {
    CutFillSurvey survey;
    survey.stationAnswer = stations ? "y" : "n";
    const int n = 1 + int(random() % 6);
    std::int64_t millimetres = std::int64_t(random() % 100000);
    auto value = [&] { return double(std::int64_t(random() % 2000001) - 1000000) / 1000; };
    for (int i = 0; i < n; ++i) {
        CutFillSection section;
        section.station = stations ? double(millimetres) / 1000 : 0.0;
        millimetres += std::int64_t(1 + random() % 50000);
        if (!stations && i + 1 < n) section.spacing = double(random() % 100000) / 1000;
        for (auto* line : {&section.ground, &section.design}) {
            const int points = random() % 4 == 0 ? 0 : int(random() % 8);
            for (int k = 0; k < points; ++k) line->push_back({value(), value()});
        }
        survey.sections.push_back(std::move(section));
    }
    return survey;
}

TEST(CutFillFile, csv_reads_back_the_same_survey_either_way_of_naming_sections) {
    std::mt19937_64 random(7);
    for (int round = 0; round < 300; ++round) {
        const CutFillSurvey survey = randomSurvey(random, round % 2 == 0);
        const SurveyRead back = readSurvey(writeSurvey(survey));
        ASSERT_TRUE(cutFillOf(back)) << back.error.message;
        EXPECT_FALSE(closedOf(back));
        EXPECT_EQ(*cutFillOf(back), survey) << writeSurvey(survey);
    }
}

TEST(CutFillFile, hdm_reads_back_the_same_survey_to_the_millimetre) {
    std::mt19937_64 random(8);
    for (int round = 0; round < 300; ++round) {
        CutFillSurvey survey = randomSurvey(random, true);
        const std::string text = writeHdm(survey);
        const SurveyRead back = readHdm(text);
        ASSERT_TRUE(cutFillOf(back)) << back.error.message;
        EXPECT_EQ(*cutFillOf(back), survey) << text;
        EXPECT_TRUE(looksLikeHdm(text));
        EXPECT_TRUE(whatHdmLeavesOut(survey, {}).empty()) << text;
    }
}

TEST(CutFillFile, hdm_names_what_it_cannot_keep) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    survey.sections.push_back({1000.125, 0, {{100.5, -20}, {100.001, 20}}, {{99.999, 0}}});
    EXPECT_TRUE(whatHdmLeavesOut(survey, {}).empty());
    // Finer than a millimetre anywhere: a station, an offset or an elevation.
    for (const auto change : {+[](CutFillSection& s) { s.station = 1000.1255; },
                              +[](CutFillSection& s) { s.ground[1].offset = 20.0001; },
                              +[](CutFillSection& s) { s.design[0].elevation = 0.1 + 0.2; }}) {
        CutFillSurvey finer = survey;
        change(finer.sections[0]);
        const std::vector<std::string> left = whatHdmLeavesOut(finer, {});
        ASSERT_EQ(left.size(), 1u);
        EXPECT_NE(left[0].find("三位小数"), std::string::npos);
        // And writing it does round: what reads back differs.
        EXPECT_NE(*cutFillOf(readHdm(writeHdm(finer))), finer);
    }
    section::ProjectInfo project;
    project.checkedBy = "李工";
    const std::vector<std::string> left = whatHdmLeavesOut(survey, project);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_NE(left[0].find("工程信息"), std::string::npos);
    // The prismoid's method, which the file reopens without.
    CutFillSurvey prismoid = survey;
    prismoid.volumeMethod = section::VolumeMethod::Prismoidal;
    const std::vector<std::string> method = whatHdmLeavesOut(prismoid, {});
    ASSERT_EQ(method.size(), 1u);
    EXPECT_NE(method[0].find("棱台法"), std::string::npos);
    EXPECT_EQ(cutFillOf(readHdm(writeHdm(prismoid)))->volumeMethod,
              section::VolumeMethod::AverageEndArea);
}

TEST(CutFillFile, hdm_takes_offsets_negative_to_the_left_and_a_ground_line_alone) {
    const SurveyRead read = readHdm(
        "\xEF\xBB\xBF"
        "BEGIN,1000:1\r\n-20,100\r\n20,100.5\r\n\r\nNEXT\r\n-15,100\r\n15,100\r\n"
        "begin,K1+020.5\n  3.5 , 99 \n");
    ASSERT_TRUE(cutFillOf(read)) << read.error.message;
    const CutFillSurvey& survey = *cutFillOf(read);
    EXPECT_TRUE(survey.stationsEntered());
    ASSERT_EQ(survey.sections.size(), 2u);
    EXPECT_EQ(survey.sections[0].station, 1000);
    EXPECT_EQ(survey.sections[0].ground, (std::vector<Point>{{100, 20}, {100.5, -20}}));
    EXPECT_EQ(survey.sections[0].design, (std::vector<Point>{{100, 15}, {100, -15}}));
    EXPECT_EQ(survey.sections[1].station, 1020.5);
    EXPECT_EQ(survey.sections[1].ground, (std::vector<Point>{{99, -3.5}}));
    EXPECT_TRUE(survey.sections[1].design.empty());
    EXPECT_EQ(writeHdm(survey),
              "BEGIN,1000.000:1\r\n-20.000,100.000\r\n20.000,100.500\r\nNEXT\r\n"
              "-15.000,100.000\r\n15.000,100.000\r\nBEGIN,1020.500:2\r\n3.500,99.000\r\n");
    CutFillSurvey numbered = survey;
    numbered.stationAnswer = "n";
    EXPECT_TRUE(whyNoHdm(numbered));
    EXPECT_FALSE(whyNoHdm(survey));
}

struct FaultCase {
    const char* name;
    const char* text;
    int line;
    const char* message;
};

class HdmFault : public testing::TestWithParam<FaultCase> {};

TEST_P(HdmFault, names_the_line_and_what_is_wrong) {
    const SurveyRead read = readHdm(GetParam().text);
    EXPECT_FALSE(cutFillOf(read));
    EXPECT_FALSE(closedOf(read));
    EXPECT_EQ(read.error.line, GetParam().line);
    EXPECT_EQ(read.error.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HdmFault,
    testing::Values(
        FaultCase{"empty", "\n\n", 0, "文件中没有断面：里程文件的每个断面以“BEGIN,桩号”一行开始"},
        FaultCase{"point_before_begin", "\n1,2\nBEGIN,0\n", 2,
                  "第 2 行“1”前面没有“BEGIN,桩号”一行：每个断面以它开始"},
        FaultCase{"bad_station", "BEGIN,K1+0x\n", 1, "第 1 行第 2 列“K1+0x”不是有效的桩号"},
        FaultCase{"no_station", "BEGIN\n", 1, "第 1 行第 2 列没有桩号"},
        FaultCase{"bad_sequence", "BEGIN,100:a\n", 1,
                  "第 1 行第 2 列“a”不是有效的断面序号，应为整数"},
        FaultCase{"bad_offset", "BEGIN,0\n1,2\n1O,2\n", 3, "第 3 行第 1 列“1O”不是有效的偏距"},
        FaultCase{"no_elevation", "BEGIN,0\n\n1\n", 3, "第 3 行第 2 列没有高程"},
        FaultCase{"extra_cell", "BEGIN,0\n1,2,DM,4\n", 2, "第 2 行第 4 列“4”是多余的数据"},
        FaultCase{"station_without_metres", "BEGIN,0\nBEGIN,K1+\n", 2,
                  "第 2 行第 2 列“K1+”不是有效的桩号"},
        FaultCase{"four_letters", "BEGIN,ABCD1+000:1\n", 1,
                  "第 1 行第 2 列“ABCD1+000”不是有效的桩号"},
        FaultCase{"second_next", "BEGIN,0\nNEXT\n1,1\nNEXT\n", 4,
                  "第 4 行：这个断面在第 2 行已经有“NEXT”了，每个断面只有地面线和设计线两条线"},
        FaultCase{"out_of_range", "BEGIN,0\n1,4e38\n", 2,
                  "第 2 行第 2 列“4e38”超出了允许的范围（绝对值不超过 3.4E+38）"}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST(CutFillFile, csv_with_a_line_column_reads_as_cut_and_fill_and_names_its_faults) {
    const SurveyRead read = readSurvey(
        "桩号,线,高程H,距离S\nK1+000,地面线,100,-20\n1000,设计线,100,15\n1000,地面线,100,20\n"
        "1020,,,\n");
    ASSERT_TRUE(cutFillOf(read)) << read.error.message;
    EXPECT_EQ(cutFillOf(read)->sections.size(), 2u);
    EXPECT_EQ(cutFillOf(read)->sections[0].ground, (std::vector<Point>{{100, -20}, {100, 20}}));
    EXPECT_EQ(cutFillOf(read)->sections[0].design, (std::vector<Point>{{100, 15}}));
    EXPECT_TRUE(cutFillOf(read)->sections[1].ground.empty());

    const SurveyRead wrongLine = readSurvey("断面,线,H,S,DL\n1,地面,1,2,5\n2,设计线,1,2\n");
    EXPECT_EQ(wrongLine.error.message, "第 2 行第 2 列“地面”不是有效的线，应为“地面线”或“设计线”");
    const SurveyRead noSpacing = readSurvey("断面,线,H,S,DL\n1,地面线,1,2\n2,设计线,1,2\n");
    EXPECT_EQ(noSpacing.error.message, "第 2 行第 5 列：第 1 号断面没有到第 2 号断面的间距 DL");
    // A closed outline's file reads as before.
    const SurveyRead closed = readSurvey("断面,高程H,距离S\n1,10,0\n");
    EXPECT_TRUE(closedOf(closed));
    EXPECT_FALSE(cutFillOf(closed));
}

TEST(CutFillFile, results_csv_has_the_cut_and_fill_columns) {
    // 4 m of fill 1 m deep, then 4 m of cut 1 m deep, 10 m apart.
    const SurveyRead read = readHdm(
        "BEGIN,0\n-2,0\n2,0\nNEXT\n-2,1\n2,1\n"
        "BEGIN,10\n-2,0\n2,0\nNEXT\n-2,-1\n2,-1\n");
    ASSERT_TRUE(cutFillOf(read));
    CutFillSurvey survey = *cutFillOf(read);
    ASSERT_FALSE(section::calculateCutFill(survey));
    EXPECT_EQ(resultsCsv(section::Survey(survey)),
              "断面,桩号,挖方面积(平方米),填方面积(平方米),至下一断面间距(米),挖方体积(立方米),"
              "填方体积(立方米),累计挖方(立方米),累计填方(立方米)\n"
              "1,K0+000.000,0.000,4.000,10.000,20.000,20.000,0.000,0.000\n"
              "2,K0+010.000,4.000,0.000,,,,20.000,20.000\n");
    EXPECT_TRUE(
        resultsCsv(section::Survey(survey), CsvFor::Spreadsheet).starts_with("\xEF\xBB\xBF断面"));
}

}  // namespace
}  // namespace survey_file
