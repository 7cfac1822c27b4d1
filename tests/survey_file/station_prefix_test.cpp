// SPDX-License-Identifier: GPL-3.0-or-later
// Stations with the letters survey software writes before the kilometres,
// and points with codes, through the 里程文件 and the CSV (files shaped as
// that software writes them are in the corpus: real_corpus_test.cpp).
#include <gtest/gtest.h>

#include "read_parts.h"
#include "section/any_survey.h"
#include "survey_file/hdm.h"
#include "survey_file/survey_file.h"

namespace survey_file {
namespace {

using section::CutFillSection;
using section::CutFillSurvey;

struct PrefixRow {
    const char* typed;
    double metres;
    const char* prefix;  // as the survey keeps it
    const char* shown;
};

constexpr PrefixRow kRows[] = {{"ZK1+020.000", 1020, "ZK", "ZK1+020.000"},
                               {"YK0+000", 0, "YK", "YK0+000.000"},
                               {"DK12+345.6", 12345.6, "DK", "DK12+345.600"},
                               {"AK0+5", 5, "AK", "AK0+005.000"},
                               {"0+000", 0, "-", "0+000.000"},
                               {"K1+0", 1000, "", "K1+000.000"}};

CutFillSurvey surveyOf(std::initializer_list<PrefixRow> rows) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (const PrefixRow& row : rows) {
        CutFillSection section;
        section.station = row.metres;
        section.stationPrefix = row.prefix;
        section.ground = {{100, -5}, {101, 5}};
        survey.sections.push_back(std::move(section));
    }
    return survey;
}

TEST(StationPrefix, is_read_kept_and_written_back_by_the_hdm_and_both_csv_kinds) {
    for (const PrefixRow& row : kRows) {
        const std::string hdm = std::string("BEGIN,") + row.typed + ":1\n-5,100\n5,101\n";
        const SurveyRead read = readHdm(hdm);
        ASSERT_TRUE(cutFillOf(read)) << read.error.message;
        const CutFillSection& section = cutFillOf(read)->sections.at(0);
        EXPECT_EQ(section.station, row.metres) << row.typed;
        EXPECT_EQ(section.stationPrefix, row.prefix) << row.typed;
        EXPECT_EQ(section::stationLabel(*read.survey, 1), row.shown);
        EXPECT_EQ(*cutFillOf(readHdm(writeHdm(*cutFillOf(read)))), *cutFillOf(read));

        const SurveyRead lines = readSurvey(writeSurvey(*cutFillOf(read)));
        ASSERT_TRUE(cutFillOf(lines)) << lines.error.message;
        EXPECT_EQ(*cutFillOf(lines), *cutFillOf(read)) << writeSurvey(*cutFillOf(read));

        const SurveyRead closed =
            readSurvey(std::string("桩号,高程H,距离S\n") + row.typed + ",100,-5\n");
        ASSERT_TRUE(closedOf(closed)) << closed.error.message;
        EXPECT_EQ(closedOf(closed)->stationPrefix(1), row.prefix);
        EXPECT_EQ(section::sectionName(*closed.survey, 1), row.shown);
        EXPECT_EQ(*closedOf(readSurvey(writeSurvey(*closedOf(closed)))), *closedOf(closed));
    }
}

TEST(StationPrefix, usual_k_is_written_in_metres_and_other_letters_in_notation) {
    const CutFillSurvey survey = surveyOf({kRows[5], kRows[0], kRows[4]});
    EXPECT_EQ(writeHdm(survey),
              "BEGIN,1000.000:1\r\n5.000,100.000\r\n-5.000,101.000\r\n"
              "BEGIN,ZK1+020.000:2\r\n5.000,100.000\r\n-5.000,101.000\r\n"
              "BEGIN,0+000.000:3\r\n5.000,100.000\r\n-5.000,101.000\r\n");
    // The CSV keeps every digit of a station with letters.
    CutFillSurvey fine = surveyOf({kRows[0]});
    fine.sections[0].station = 1020.0625;
    EXPECT_NE(writeSurvey(fine).find("\r\nZK1+020.0625,地面线,100,-5\r\n"), std::string::npos)
        << writeSurvey(fine);
    EXPECT_EQ(*cutFillOf(readSurvey(writeSurvey(fine))), fine);
}

TEST(StationPrefix, refusals_name_the_line_and_the_cell_in_the_csv) {
    for (const char* bad : {"K1+", "ABCD1+000", "ZK1+1000", "ZK+5"}) {
        const SurveyRead read =
            readSurvey(std::string("桩号,线,高程H,距离S\n0,地面线,1,2\n") + bad + ",地面线,1,2\n");
        EXPECT_FALSE(read.survey) << bad;
        EXPECT_EQ(read.error.message, "第 3 行第 1 列“" + std::string(bad) + "”不是有效的桩号");
    }
}

TEST(PointCode, third_cell_of_an_hdm_point_is_kept_and_written_back) {
    const SurveyRead read = readHdm(
        "BEGIN,ZK0+000:1\n-5.000,100.000,DM\n0,100.2\n5,100.4,\"A,B\"\nNEXT\n-5,99\n5,99\n"
        "BEGIN,ZK0+020:2\n-5,100\n5,100\n");
    ASSERT_TRUE(cutFillOf(read)) << read.error.message;
    const CutFillSurvey& survey = *cutFillOf(read);
    EXPECT_EQ(survey.sections[0].groundCodes, (std::vector<std::string>{"DM", "", "A,B"}));
    EXPECT_TRUE(survey.sections[0].designCodes.empty());
    EXPECT_TRUE(survey.sections[1].groundCodes.empty());
    const std::string written = writeHdm(survey);
    EXPECT_EQ(written.find("BEGIN,ZK0+000.000:1\r\n-5.000,100.000,DM\r\n0.000,100.200\r\n"
                           "5.000,100.400,\"A,B\"\r\nNEXT\r\n-5.000,99.000\r\n"),
              0u)
        << written;
    EXPECT_EQ(*cutFillOf(readHdm(written)), survey);
    // The CSV has a 编码 column only for a survey with codes.
    const std::string csv = writeSurvey(survey);
    EXPECT_NE(csv.find("桩号,线,高程H,距离S,编码\r\n"), std::string::npos) << csv;
    EXPECT_EQ(*cutFillOf(readSurvey(csv)), survey) << csv;
    EXPECT_EQ(writeSurvey(surveyOf({kRows[0]})).find("编码"), std::string::npos);
}

TEST(PointCode, csv_without_stations_takes_the_code_after_the_spacing) {
    const SurveyRead read = readSurvey(
        "断面,线,高程H,距离S,间距DL,编码\n1,地面线,100,-5,20,DM\n1,地面线,100,5,,ZX\n"
        "2,地面线,101,0,,\n");
    ASSERT_TRUE(cutFillOf(read)) << read.error.message;
    const CutFillSurvey& survey = *cutFillOf(read);
    EXPECT_EQ(survey.sections[0].spacing, 20);
    EXPECT_EQ(survey.sections[0].groundCodes, (std::vector<std::string>{"DM", "ZX"}));
    EXPECT_TRUE(survey.sections[1].groundCodes.empty());
    EXPECT_EQ(*cutFillOf(readSurvey(writeSurvey(survey))), survey) << writeSurvey(survey);
    const SurveyRead wrong = readSurvey("桩号,线,高程H,距离S,代码\n");
    EXPECT_EQ(wrong.error.message, "第 1 行第 5 列“代码”不是有效的表头，应为“编码”");
}

}  // namespace
}  // namespace survey_file
