// SPDX-License-Identifier: GPL-3.0-or-later
// 工程信息 above the header: read, written back, and a file without it read
// exactly as before, its faults on the same lines.

#include "survey_file/project_rows.h"

#include <gtest/gtest.h>

#include "read_parts.h"
#include "survey_file/survey_file.h"

namespace {

constexpr std::string_view kSurvey =
    "桩号,高程H,距离S\nK1+000,50,2\nK1+000,51,0\nK1+000,50,-2\n"
    "K1+020,52,0\nK1+020,52,3\nK1+020,50,-3\n";

section::ProjectInfo filledIn() {
    return {"某某公路改建工程, 第二合同段", "K1+000～K1+020", "张三", "李四", "2026-12-08"};
}

TEST(ProjectRows, rows_above_the_header_give_the_project_and_the_same_survey) {
    const survey_file::SurveyRead plain = survey_file::readSurvey(kSurvey);
    ASSERT_TRUE(closedOf(plain));
    EXPECT_TRUE(plain.project.empty());

    const survey_file::SurveyRead titled = survey_file::readSurvey(
        "\xEF\xBB\xBF工程名称,\"某某公路改建工程, 第二合同段\",,\r\n"
        "# 标题\r\n\r\n路段\tK1+000～K1+020\r\n计算,张三\r\n复核,李四\r\n日期,2026-12-08\r\n" +
        std::string(kSurvey));
    ASSERT_TRUE(closedOf(titled)) << titled.error.message;
    EXPECT_EQ(titled.project, filledIn());
    EXPECT_EQ(*closedOf(titled), *closedOf(plain));

    const survey_file::SurveyRead some =
        survey_file::readSurvey("复核,李四\n" + std::string(kSurvey));
    ASSERT_TRUE(closedOf(some));
    EXPECT_EQ(some.project, (section::ProjectInfo{"", "", "", "李四", ""}));
}

TEST(ProjectRows, written_rows_read_back_and_an_empty_project_writes_none) {
    const survey_file::SurveyRead plain = survey_file::readSurvey(kSurvey);
    ASSERT_TRUE(closedOf(plain));
    EXPECT_EQ(survey_file::writeSurvey(*closedOf(plain), {}),
              survey_file::writeSurvey(*closedOf(plain)));
    EXPECT_EQ(survey_file::projectRowsText({}, section::VolumeMethod::AverageEndArea), "");

    const std::string written = survey_file::writeSurvey(*closedOf(plain), filledIn());
    EXPECT_TRUE(
        written.starts_with("\xEF\xBB\xBF工程名称,\"某某公路改建工程, 第二合同段\"\r\n"
                            "路段,K1+000～K1+020\r\n"));
    const survey_file::SurveyRead back = survey_file::readSurvey(written);
    ASSERT_TRUE(closedOf(back)) << back.error.message;
    EXPECT_EQ(back.project, filledIn());
    EXPECT_EQ(*closedOf(back), *closedOf(plain));

    // Quotes double, and a line break cannot split the row.
    const section::ProjectInfo odd{"\"甲\"段", "一\n二", "", "", ""};
    const survey_file::SurveyRead oddBack =
        survey_file::readSurvey(survey_file::writeSurvey(*closedOf(plain), odd));
    ASSERT_TRUE(closedOf(oddBack)) << oddBack.error.message;
    EXPECT_EQ(oddBack.project, (section::ProjectInfo{"\"甲\"段", "一 二", "", "", ""}));
}

// Written only for 棱台法, so a survey by average end areas writes the file
// it always did; either name reads, of either kind.
TEST(ProjectRows, the_volume_method_row_is_written_for_prismoids_and_reads_back) {
    const survey_file::SurveyRead plain = survey_file::readSurvey(kSurvey);
    ASSERT_TRUE(plain.survey);
    section::Survey survey = *plain.survey;
    EXPECT_EQ(survey_file::writeSurvey(survey, filledIn()).find("体积计算方法"), std::string::npos);
    const auto prismoid = section::VolumeMethod::Prismoidal;
    survey.setVolumeMethod(prismoid);
    const std::string written = survey_file::writeSurvey(survey, filledIn());
    EXPECT_NE(written.find("日期,2026-12-08\r\n体积计算方法,棱台法\r\n桩号,"), std::string::npos);
    const survey_file::SurveyRead back = survey_file::readSurvey(written);
    ASSERT_TRUE(back.survey) << back.error.message;
    EXPECT_EQ(*back.survey, survey);
    EXPECT_EQ(back.project, filledIn());

    const std::string lines =
        "断面,线,高程H,距离S,间距DL\n1,地面线,1,-5,\n1,地面线,1,5,\n"
        "1,设计线,0,-5,\n1,设计线,0,5,\n";
    for (const auto& [row, method] :
         {std::pair{"体积计算方法, 棱台法 \n", prismoid},
          std::pair{"体积计算方法,平均断面法\n", section::VolumeMethod::AverageEndArea}}) {
        const survey_file::SurveyRead read = survey_file::readSurvey(row + lines);
        ASSERT_TRUE(read.survey && read.survey->cutFill()) << read.error.message;
        EXPECT_EQ(read.survey->volumeMethod(), method) << row;
        EXPECT_TRUE(read.project.empty());
    }
}

struct Fault {
    const char* name;
    std::string file;
    int line;
    int column;
    std::string message;
};

class ProjectRowFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(ProjectRowFaults, are_named_by_the_line_of_the_whole_file) {
    const survey_file::SurveyRead result = survey_file::readSurvey(GetParam().file);
    EXPECT_FALSE(result.survey);
    EXPECT_EQ(result.error.line, GetParam().line);
    EXPECT_EQ(result.error.column, GetParam().column);
    EXPECT_EQ(result.error.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProjectRowFaults,
    ::testing::Values(
        Fault{"a_repeated_item", "计算,张三\n\n计算,王五\n" + std::string(kSurvey), 3, 1,
              "第 3 行第 1 列“计算”与第 1 行重复，工程信息每项只写一行"},
        Fault{"an_unknown_volume_method", "体积计算方法,棱柱法\n" + std::string(kSurvey), 1, 2,
              "第 1 行第 2 列“棱柱法”不是体积计算方法：请写“平均断面法”或“棱台法”"},
        Fault{"a_repeated_volume_method",
              "体积计算方法,棱台法\n体积计算方法,棱台法\n" + std::string(kSurvey), 2, 1,
              "第 2 行第 1 列“体积计算方法”与第 1 行重复，工程信息每项只写一行"},
        Fault{"a_third_cell", "工程名称,甲,乙\n" + std::string(kSurvey), 1, 3,
              "第 1 行第 3 列“乙”是多余的数据：工程信息一行只有名称和内容两格"},
        // The survey's own faults keep the line numbers of the whole file.
        Fault{
            "a_fault_below_the_rows",
            "\xEF\xBB\xBF工程名称,甲\r\n# 说明\r\n日期,今天\r\n桩号,高程H,距离S\r\nK1+000,5O,2\r\n",
            5, 2, "第 5 行第 2 列“5O”不是有效的高程"},
        Fault{"a_bad_header_after_the_rows", "路段,甲\n\n断面号,高程H,距离S\n", 3, 1,
              "第 3 行第 1 列“断面号”不是有效的表头，应为“桩号”或“断面”"},
        // A tab may stand in a value; no other control character is taken.
        Fault{"a_control_character_in_a_value",
              "计算,\"张\t三\"\n复核,王\x07五\n" + std::string(kSurvey), 2, 2,
              "第 2 行第 2 列“王\xEF\xBF\xBD五”中有控制字符（U+0007），不能作为工程信息：请在文本"
              "编辑器中删去它"},
        Fault{"an_invisible_mark_in_a_value", "路段,K1\xE2\x80\x8B+000\n" + std::string(kSurvey), 1,
              2,
              "第 1 行第 2 列“K1\xEF\xBF\xBD+000”中有控制字符（U+200B），不能作为工程信息：请在文本"
              "编辑器中删去它"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
