// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "read_parts.h"
#include "survey_file/file_format.h"
#include "survey_file/hdm.h"
#include "survey_file/road_design_file.h"

namespace survey_file {
namespace {

using section::RoadDesign;
using section::RoadSide;
using section::SlopeKind;

constexpr std::string_view kDesign =
    "[纵断面]\n桩号,高程,竖曲线半径\nK0+000,100,\nK0+300,106,3000\nK0+700,102,\n"
    "[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,3.75,-2\nK0+000,右,3.75,-2\n"
    "[边坡]\n侧,类型,坡率,高度,平台宽,平台横坡\n左,填,1.5,8,2,-3\n左,填,1.75,,,\n"
    "[边坡]\n起点桩号,终点桩号,侧,类型,坡率,高度,平台宽,平台横坡\n100,200,右,挖,0.5,,,\n"
    "[边沟]\n侧,内坡率,沟深,沟底宽,外坡率\n左,1,0.6,0.4,1\n"
    "[断链]\n断前桩号,断后桩号\nK1+100,K1+080\n"
    "[土石分类]\n起点桩号,终点桩号,Ⅰ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\nK0+000,K0+450,0,30,0,70,0,0\n"
    "[换算系数]\nⅠ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n1.23,1.16,1.09,0.92,0.92,0.92\n"
    "[构造物]\n起点桩号,终点桩号,名称\nK0+480,K0+520,\"1-4×3m 涵洞, 左\"\n"
    "[运距]\n免费运距,经济运距\n20,300\n";

RoadDesign fullDesign() {
    return *readRoadDesign(kDesign).design;
}

section::CutFillSurvey cutFill() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (double station : {0.0, 20.0, 40.0}) {
        section::CutFillSection section;
        section.station = station;
        section.ground = {{99, 20}, {101, -20}};
        survey.sections.push_back(section);
    }
    // A structure's typed design line beside two put on the ground.
    survey.sections[1].design = {{100, 10}, {100, -10}};
    survey.sections[0].design = {{98.25, 17.5}, {100, 5}, {100, -5}};
    survey.sections[0].designGenerated = true;
    survey.sections[2].design = {{100, 5}, {100, -5}};
    survey.sections[2].designGenerated = true;
    return survey;
}

TEST(SurveyWithDesign, a_closed_outline_survey_reads_back_with_its_chain_break) {
    const SurveyRead plain = readSurvey("工程名称,某路\n桩号,高程H,距离S\n1000,50,2\n1000,51,0\n");
    ASSERT_TRUE(plain.survey) << plain.error.message;
    section::Survey survey(*closedOf(plain));
    ASSERT_FALSE(survey.setRoadDesign({.breaks = {{1100, 1080}}}));
    const std::string text = surveyFileText(survey, Format::SurveyCsv, plain.project);
    EXPECT_TRUE(text.ends_with("\r\n[断链]\r\n断前桩号,断后桩号\r\n1100,1080\r\n")) << text;
    const SurveyRead back = readSurvey(text);
    ASSERT_TRUE(back.survey) << back.error.message;
    EXPECT_EQ(*back.survey, survey);
    EXPECT_EQ(back.project, plain.project);
    EXPECT_EQ(back.designLines[section::DesignTable::Breaks].front().line, 7);
}

TEST(SurveyWithDesign, a_cut_and_fill_survey_keeps_its_design_but_not_the_lines_it_gave) {
    section::Survey survey(cutFill());
    ASSERT_FALSE(survey.setRoadDesign(fullDesign()));
    const std::string text = surveyFileText(survey, Format::SurveyCsv);
    EXPECT_EQ(text.find("98.25"), std::string::npos) << text;
    const SurveyRead back = readSurvey(text);
    ASSERT_TRUE(back.survey) << back.error.message;
    EXPECT_EQ(back.survey->roadDesign(), fullDesign());
    section::CutFillSurvey expected = cutFill();
    for (section::CutFillSection& section : expected.sections)
        if (section.designGenerated) section = {section.station, 0, section.ground, {}};
    EXPECT_EQ(*cutFillOf(back), expected) << text;
}

TEST(SurveyWithDesign, a_hdm_leaves_the_design_out_but_writes_the_lines_it_gave) {
    section::Survey survey(cutFill());
    EXPECT_TRUE(whatIsLeftOut(survey, Format::Hdm, {}).empty());
    ASSERT_FALSE(survey.setRoadDesign(fullDesign()));
    const std::vector<std::string> left = whatIsLeftOut(survey, Format::Hdm, {});
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].starts_with("道路设计"));
    EXPECT_TRUE(whatIsLeftOut(survey, Format::SurveyCsv, {}).empty());
    const SurveyRead hdm = readHdm(surveyFileText(survey, Format::Hdm));
    ASSERT_TRUE(hdm.survey) << hdm.error.message;
    EXPECT_EQ(cutFillOf(hdm)->sections[0].design, cutFill().sections[0].design);
}

TEST(SurveyWithDesign, a_fault_in_the_design_names_the_files_own_line) {
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } rows[] = {
        {"closed, after 工程信息",
         "路段,K0～K1\n桩号,高程H,距离S\n0,1,2\n\n[断链]\n断前桩号,断后桩号\n1,x\n",
         "第 7 行第 2 列（[断链] 的“断后桩号”）"},
        {"cut and fill, tabs",
         "桩号\t线\t高程H\t距离S\n0\t地面线\t1\t2\n[路幅]\n桩号\t侧\t宽度\t横坡\n0\t中\t3\t-2\n",
         "第 5 行第 2 列（[路幅] 的“侧”）"},
        {"the design alone", "# 设计\n[断链]\n断前桩号,断后桩号\n",
         "第 2 行第 1 列：道路设计的表之前没有测量数据的表头"},
        {"tables that read but do not fit together: two curves overlap",
         "桩号,线,高程H,距离S\n0,地面线,1,2\n[纵断面]\n桩号,高程,竖曲线半径\n0,100,\n100,104,5000\n"
         "150,100,5000\n300,101,\n",
         "第 6 行第 3 列（[纵断面] 的“竖曲线半径”）"},
        {"shares that add up to 95",
         "桩号,线,高程H,距离S\n0,地面线,1,2\n[土石分类]\n起点桩号,终点桩号,Ⅰ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n"
         "0,100,,100,,,,\n100,200,,30,,65,,\n",
         "第 6 行（[土石分类]）：土石分类 K0+100.000～K0+200.000 的六类百分比加起来是 95，应为 "
         "100"},
        {"structures that overlap",
         "桩号,线,高程H,距离S\n0,地面线,1,2\n[构造物]\n起点桩号,终点桩号,名称\n"
         "K0+480,K0+520,小桥\nK0+510,K0+530,涵洞\n",
         "第 6 行第 1 列（[构造物] 的“起点桩号”）：桩号范围 K0+510.000～K0+530.000 与 "
         "K0+480.000～K0+520.000 重叠，一处只能有一座构造物。请改正其中一行的起点桩号或终点桩号"
         "（另见第 5 行）"},
        {"an economic haul shorter than the free",
         "桩号,线,高程H,距离S\n0,地面线,1,2\n[运距]\n免费运距,经济运距\n20,10\n",
         "第 5 行第 2 列（[运距] 的“经济运距”）：经济运距 10 米不比免费运距 20 米长"},
    };
    for (const auto& row : rows) {
        const SurveyRead read = readSurvey(row.text);
        EXPECT_FALSE(read.survey) << row.name;
        EXPECT_TRUE(read.error.message.starts_with(row.message))
            << row.name << ": " << read.error.message;
    }
}

}  // namespace
}  // namespace survey_file
