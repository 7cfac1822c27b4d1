// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "dialogue/run.h"
#include "scripted_ui.h"

namespace section {
namespace {

using testing::kCancel;
using testing::point;
using testing::PromptSeen;
using testing::script;
using testing::ScriptedUi;
using testing::triangle;

using Answers = std::vector<std::optional<std::string>>;

const std::string kPause = "请输入不等于零的任意数显示计算结果";
const std::string kSpacingConfirm = "确认输入的间距 ?  正确单击 Enter 键  ; 错误输入零( 即为:0 )";
const std::string kCorrectSpacing = "请输入正确的间距 DL :";

int countOf(const std::vector<std::string>& prompts, const std::string& prompt) {
    return static_cast<int>(std::count(prompts.begin(), prompts.end(), prompt));
}

TEST(Calculation, takes_the_spacing_from_the_stations) {
    ScriptedUi ui(
        script({{"2", "y", "1000"}, {"3", "1020", "3"}, triangle("2"), triangle("4"), {"1"}}));
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);

    EXPECT_TRUE(ui.allAnswersUsed());
    EXPECT_EQ(countOf(ui.prompts(), kPause), 1);
    EXPECT_EQ(ui.text(TextBox::Text6), " 2.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text7), " 4.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text8), "  20米");
    EXPECT_EQ(ui.text(TextBox::Text9), " 60.000立方米");
    EXPECT_EQ(ui.text(TextBox::Text10), " 60.000立方米");
    EXPECT_EQ(record.spacings(1), 20.0);
    EXPECT_EQ(record.volumes(1), 60.0);
    EXPECT_EQ(record.totalVolume(), 60.0);
    EXPECT_EQ(record.areas(2), 4.0);
}

TEST(Calculation, gives_a_negative_volume_for_stations_in_decreasing_order) {
    ScriptedUi ui(
        script({{"2", "y", "1020", "3", "1000", "3"}, triangle("2"), triangle("4"), {""}}));
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    EXPECT_EQ(record.spacings(1), -20.0);
    EXPECT_EQ(record.totalVolume(), -60.0);
    EXPECT_EQ(ui.text(TextBox::Text9), " -60.000立方米");
    EXPECT_EQ(ui.text(TextBox::Text10), " -60.000立方米");
}

TEST(Calculation, sums_three_sections_pair_by_pair) {
    ScriptedUi ui(script({{"3", "n", "3", "3", "3"},
                          triangle("2"),
                          triangle("4"),
                          triangle("6"),
                          {"10", "", "10", "", "0", kCancel}}));
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);

    EXPECT_EQ(countOf(ui.prompts(), kPause), 2);
    EXPECT_EQ(record.volumes(1), 30.0);
    EXPECT_EQ(record.volumes(2), 50.0);
    EXPECT_EQ(record.totalVolume(), 80.0);
    // While the second pause is open the first pair is still shown.
    const testing::PromptSeen& secondPause = ui.seen().back();
    EXPECT_EQ(secondPause.box(TextBox::Text9), " 30.000立方米");
    EXPECT_EQ(secondPause.box(TextBox::Text10), "");
    EXPECT_EQ(ui.text(TextBox::Text6), " 4.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text7), " 6.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text8), "  10米");
    EXPECT_EQ(ui.text(TextBox::Text9), " 50.000立方米");
    EXPECT_EQ(ui.text(TextBox::Text10), " 80.000立方米");
}

TEST(Calculation, shows_rounded_areas_with_halves_to_even) {
    ScriptedUi ui(script({{"2", "n", "3", "0"},
                          point("100", "0.25"),
                          point("100.25", "0"),
                          point("100", "-0.25"),
                          {"0.0625", "", ""}}));
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    EXPECT_EQ(record.areas(1), 0.0625);
    EXPECT_EQ(ui.text(TextBox::Text6), " 0.062平方米");
    EXPECT_EQ(ui.text(TextBox::Text7), " 0.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text8), "  0.0625米");
}

// After a calculation of two sections, one section shows its own area and
// leaves no area, spacing or volume of the earlier pair beside it.
TEST(Calculation, shows_the_area_of_a_single_section_and_clears_the_pair) {
    ScriptedUi ui(script({{"2", "n", "3", "3"},
                          triangle("2"),
                          triangle("4"),
                          {"10", "", ""},
                          {"1", "n", "3"},
                          triangle("3")}));
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    EXPECT_EQ(countOf(ui.prompts(), kPause), 1);
    EXPECT_EQ(ui.text(TextBox::Text6), " 3.000平方米");
    EXPECT_EQ(ui.text(TextBox::Text7), "");
    EXPECT_EQ(ui.text(TextBox::Text8), "");
    EXPECT_EQ(ui.text(TextBox::Text9), "");
    EXPECT_EQ(ui.text(TextBox::Text10), " 0.000立方米");
    EXPECT_EQ(record.spacings(1), 0.0);
    EXPECT_EQ(record.totalVolume(), 0.0);
}

TEST(Calculation, keeps_an_accepted_spacing_in_its_three_blank_form) {
    ScriptedUi ui({"2", "n", "0", "0", "20", "", ""});
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    const auto& seen = ui.seen();
    EXPECT_EQ(seen[4].prompt.text, "请输入第 1至2 号断面的间距 DL :( 以米为单位 )");
    EXPECT_EQ(seen[4].box(TextBox::Text11), "现在请输入第 1 号至第2 号断面的间距 :");
    EXPECT_EQ(seen[5].prompt.text, kSpacingConfirm);
    EXPECT_EQ(seen[5].box(TextBox::Text8), "   20.000米");
    EXPECT_EQ(seen[6].prompt.text, kPause);
    EXPECT_EQ(seen[6].box(TextBox::Text8), "   20.000米");
}

TEST(Calculation, shows_a_corrected_spacing_before_the_same_confirm_prompt) {
    ScriptedUi ui({"2", "n", "0", "0", "20", "0", "25", "", ""});
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    const auto& seen = ui.seen();
    EXPECT_EQ(seen[6].prompt.text, kCorrectSpacing);
    EXPECT_EQ(seen[6].box(TextBox::Text8), "");
    EXPECT_EQ(seen[7].prompt.text, kSpacingConfirm);
    EXPECT_EQ(seen[7].box(TextBox::Text8), "   25.000米");
    EXPECT_EQ(seen[8].box(TextBox::Text8), "   25.000米");
    EXPECT_EQ(record.spacings(1), 25.0);
}

TEST(Calculation, repeats_the_spacing_correction_for_every_zero) {
    ScriptedUi ui({"2", "n", "0", "0", "20", "0", "21", "0", "22", "0", "23", "1", ""});
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    EXPECT_EQ(countOf(ui.prompts(), kCorrectSpacing), 3);
    EXPECT_EQ(countOf(ui.prompts(), kSpacingConfirm), 4);
    EXPECT_EQ(record.spacings(1), 23.0);
}

TEST(Calculation, replaces_every_trace_of_an_earlier_larger_survey) {
    SectionSurvey record;
    ScriptedUi first(script({{"3", "y", "0", "3", "10", "3", "20", "3"},
                             triangle("2"),
                             triangle("2"),
                             triangle("2"),
                             {"", ""}}));
    ASSERT_EQ(runCalculation(first, record), CalculationEnd::Finished);
    ASSERT_EQ(record.sectionCount(), 3);

    ScriptedUi second(script({{"1", "n", "3"}, triangle("6")}));
    ASSERT_EQ(runCalculation(second, record), CalculationEnd::Finished);

    SectionSurvey expected;
    expected.resize(1);
    expected.setStationAnswer("n");
    expected.setPointCount(1, 3);
    expected.allocatePoints();
    expected.setPoint(1, 1, 100, 6);
    expected.setPoint(1, 2, 101, 0);
    expected.setPoint(1, 3, 100, -6);
    expected.setArea(1, 6);
    EXPECT_EQ(record, expected);
}

// Kind, section, section count, point, confirmed kind and "again" of every prompt, so that a
// test double can answer by kind without reading the wording.
TEST(Calculation, every_prompt_says_what_it_asks_and_where) {
    ScriptedUi ui({"2", "n", "1", "0", "5", "0", "6", "", "7", "", "20", "0", "25", "", "1"});
    SectionSurvey record;
    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);

    using enum PromptKind;
    auto tag = [](const Prompt& p) {
        return std::tuple(p.kind, p.section, p.sections, p.point, p.confirms, p.again);
    };
    const std::vector<std::tuple<PromptKind, int, int, int, PromptKind, bool>> expected{
        {SectionCount, 0, 0, 0, Confirm, false}, {StationQuestion, 0, 2, 0, Confirm, false},
        {PointCount, 1, 2, 0, Confirm, false},   {PointCount, 2, 2, 0, Confirm, false},
        {Elevation, 1, 2, 1, Confirm, false},    {Confirm, 1, 2, 1, Elevation, false},
        {Elevation, 1, 2, 1, Confirm, true},     {Confirm, 1, 2, 1, Elevation, true},
        {Distance, 1, 2, 1, Confirm, false},     {Confirm, 1, 2, 1, Distance, false},
        {Spacing, 1, 2, 0, Confirm, false},      {Confirm, 1, 2, 0, Spacing, false},
        {Spacing, 1, 2, 0, Confirm, true},       {Confirm, 1, 2, 0, Spacing, false},
        {Pause, 1, 2, 0, Confirm, false}};
    std::vector<std::tuple<PromptKind, int, int, int, PromptKind, bool>> seen;
    for (const PromptSeen& s : ui.seen()) seen.push_back(tag(s.prompt));
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(record.spacings(1), 25.0);
}

}  // namespace
}  // namespace section
