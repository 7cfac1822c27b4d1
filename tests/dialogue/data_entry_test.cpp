// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/data_entry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogue/asking.h"
#include "scripted_ui.h"
#include "section/station.h"

namespace section {
namespace {

using testing::point;
using testing::script;
using testing::ScriptedUi;

const std::string kCount = "请输入断面的个数 :";
const std::string kStationQuestion = "是否需要输入断面桩号 ? 需要输入按 Y ; 不要输入按 N";
const std::string kElevationConfirm = "确认输入的高程 ?  正确单击 Enter 键 ; 错误输入零( 即为:0 ) ";
const std::string kElevationConfirmAgain =
    "确认输入的高程 ?  正确单击 Enter 键 ); 错误输入零( 即为:0 ) ";
const std::string kDistanceConfirm = "确认输入距离 ?  正确单击 Enter 键 ) ; 错误输入零( 即为:0 ) ";
const std::string kDistanceConfirmAgain =
    "确认输入距离 ?  正确单击 Enter 键  ; 错误输入零( 即为:0 )";

std::string distancePrompt(int j) {
    return "请输入第 " + std::to_string(j) +
           " 个观测点至断面起始端点的距离 S : 该点位于道路中心线 S=0，位于道路中心线左侧 S "
           "为正值，位于道路中心线右侧 S 为负值，(S 以米为单位) :";
}

int countOf(const std::vector<std::string>& prompts, const std::string& prompt) {
    return static_cast<int>(std::count(prompts.begin(), prompts.end(), prompt));
}

TEST(DataEntry, asks_every_prompt_in_order_with_stations) {
    ScriptedUi ui(script({{"1", "y", "12345.678", "2"}, point("12.3", "5"), point("13", "-5")}));
    SectionSurvey survey;
    enterSurvey(ui, survey);

    const std::vector<std::string> expected{
        kCount,
        kStationQuestion,
        "请输入1号断面的桩号 :",
        "请输入1号断面中观测的点数 :",
        "请输入 1号断面第1 个观测点的高程 H :( 以米为单位 )",
        kElevationConfirm,
        distancePrompt(1),
        kDistanceConfirm,
        "请输入 1号断面第2 个观测点的高程 H :( 以米为单位 )",
        kElevationConfirm,
        distancePrompt(2),
        kDistanceConfirm,
    };
    EXPECT_EQ(ui.prompts(), expected);
    EXPECT_TRUE(ui.allAnswersUsed());

    const auto& seen = ui.seen();
    EXPECT_EQ(seen[2].box(TextBox::Text1), "本次计算共有1个断面");
    EXPECT_EQ(seen[2].box(TextBox::Text11), "请注意： 现在是1号断面 ");
    EXPECT_EQ(seen[3].box(TextBox::Text2), " 第 1 断面桩号为 K12+345.678");
    EXPECT_EQ(seen[4].box(TextBox::Text2), "请注意： 现在是 K12+345.678 桩号断面");
    EXPECT_EQ(seen[4].box(TextBox::Text11), "本断面是第1 个断面");
    EXPECT_EQ(seen[4].box(TextBox::Text12), "1断面有 2 个观测点");
    EXPECT_EQ(seen[4].box(TextBox::Text3), "    1");
    EXPECT_EQ(seen[4].box(TextBox::Text4), "");
    EXPECT_EQ(seen[4].box(TextBox::Text5), "");
    EXPECT_EQ(seen[5].box(TextBox::Text4), "   12.300米");
    EXPECT_EQ(seen[6].box(TextBox::Text4), " 12.300米");
    EXPECT_EQ(seen[7].box(TextBox::Text5), "   5.000米");
    // The next point clears the elevation but still shows the last distance.
    EXPECT_EQ(seen[8].box(TextBox::Text3), "    2");
    EXPECT_EQ(seen[8].box(TextBox::Text4), "");
    EXPECT_EQ(seen[10].box(TextBox::Text5), " 5.000米");
    EXPECT_EQ(ui.text(TextBox::Text5), " -5.000米");

    EXPECT_EQ(survey.sectionCount(), 1);
    EXPECT_EQ(survey.stationAnswer(), "y");
    EXPECT_EQ(survey.stations(1), 12345.678);
    EXPECT_EQ(survey.elevations(1, 1), 12.3);
    EXPECT_EQ(survey.offsets(1, 1), 5.0);
    EXPECT_EQ(survey.elevations(1, 2), 13.0);
    EXPECT_EQ(survey.offsets(1, 2), -5.0);
}

// The letters survey files write before the kilometres are typed as well;
// a station in metres keeps the letters of the section before, and every
// box shows the station with its letters.
TEST(DataEntry, keeps_the_letters_typed_before_a_station_and_shows_them) {
    const struct {
        const char* typed;
        const char* prefix;  // as the survey keeps it
        const char* shown;
    } rows[] = {{"zk1+000", "ZK", "ZK1+000.000"}, {"1020.5", "ZK", "ZK1+020.500"},
                {"YK1+040", "YK", "YK1+040.000"}, {"K1+060", "", "K1+060.000"},
                {"1080", "", "K1+080.000"},       {"0+100", "-", "0+100.000"}};
    std::vector<std::string> answers{std::to_string(std::size(rows)), "y"};
    for (const auto& row : rows) answers.insert(answers.end(), {row.typed, "0"});
    ScriptedUi ui(std::vector<std::optional<std::string>>(answers.begin(), answers.end()));
    SectionSurvey survey;
    enterSurvey(ui, survey);
    EXPECT_TRUE(ui.errors().empty());
    for (int i = 1; i <= int(std::size(rows)); ++i) {
        const auto& row = rows[i - 1];
        EXPECT_EQ(survey.stationPrefix(i), row.prefix) << row.typed;
        EXPECT_EQ(ui.seen()[std::size_t(2 * i + 1)].box(TextBox::Text2),
                  " 第 " + std::to_string(i) + " 断面桩号为 " + row.shown);
    }
    EXPECT_EQ(survey.stations(2), 1020.5);
    EXPECT_EQ(ui.text(TextBox::Text2), "请注意： 现在是 0+100.000 桩号断面");
}

TEST(DataEntry, numbers_sections_when_no_stations_are_entered) {
    ScriptedUi ui(script({{"2", "N", "1", "0"}, point("1", "2")}));
    SectionSurvey survey;
    enterSurvey(ui, survey);

    EXPECT_EQ(countOf(ui.prompts(), "请输入1号断面的桩号 :"), 0);
    EXPECT_EQ(ui.prompts()[2], "请输入1号断面中观测的点数 :");
    EXPECT_EQ(ui.seen()[3].box(TextBox::Text12), "1断面有1个观测点");
    EXPECT_EQ(ui.seen()[4].box(TextBox::Text2), "请注意： 现在是第1 号断面");
    // Section 2 has no points: the boxes cleared after the first pass stay so.
    EXPECT_EQ(ui.text(TextBox::Text2), "请注意： 现在是第2 号断面");
    EXPECT_EQ(ui.text(TextBox::Text12), "2断面有 0 个观测点");
    EXPECT_EQ(survey.stationAnswer(), "N");
    EXPECT_EQ(survey.stations(1), 0.0);
}

TEST(DataEntry, clears_the_point_boxes_after_the_first_pass) {
    ScriptedUi ui({"1", "n", "0"});
    SectionSurvey survey;
    enterSurvey(ui, survey);
    EXPECT_EQ(ui.text(TextBox::Text4), " ");
    EXPECT_EQ(ui.text(TextBox::Text5), "");
    EXPECT_EQ(ui.text(TextBox::Text11), "本断面是第1 个断面");
}

TEST(DataEntry, takes_y_in_either_case_and_width_as_stations_entered_and_keeps_the_answer) {
    for (const char* answer : {"Y", " y ", "y", "\xEF\xBC\xB9", "\xE3\x80\x80\xEF\xBD\x99"}) {
        ScriptedUi ui({"1", answer, "1250.5", "0"});
        SectionSurvey survey;
        enterSurvey(ui, survey);
        EXPECT_EQ(ui.prompts()[2], "请输入1号断面的桩号 :") << answer;
        EXPECT_EQ(survey.stationAnswer(), answer);
        EXPECT_EQ(survey.stations(1), 1250.5);
    }
}

TEST(DataEntry, treats_a_cancelled_station_question_as_no) {
    ScriptedUi ui({"1", testing::kCancel, "0"});
    SectionSurvey survey;
    enterSurvey(ui, survey);
    EXPECT_EQ(survey.stationAnswer(), "");
    EXPECT_EQ(ui.prompts()[2], "请输入1号断面中观测的点数 :");
}

TEST(DataEntry, reenters_a_rejected_elevation_and_shows_it_only_once_accepted) {
    ScriptedUi ui({"1", "n", "1", "12.3", "0", "13.1", "1", "0", ""});
    SectionSurvey survey;
    enterSurvey(ui, survey);

    const auto& seen = ui.seen();
    EXPECT_EQ(seen[4].prompt.text, kElevationConfirm);
    EXPECT_EQ(seen[4].box(TextBox::Text4), "   12.300米");
    EXPECT_EQ(seen[5].prompt.text, "输入第 1 观测点的正确高程 H :");
    EXPECT_EQ(seen[5].box(TextBox::Text4), "");
    EXPECT_EQ(seen[6].prompt.text, kElevationConfirmAgain);
    EXPECT_EQ(seen[6].box(TextBox::Text4), "");
    EXPECT_EQ(seen[7].box(TextBox::Text4), " 13.100米");
    EXPECT_EQ(survey.elevations(1, 1), 13.1);
}

TEST(DataEntry, repeats_the_distance_reentry_as_often_as_zero_is_answered) {
    ScriptedUi ui({"1", "n", "1", "100", "", "3", "0", "4", "0", "5", "0", "6", ""});
    SectionSurvey survey;
    enterSurvey(ui, survey);

    const auto prompts = ui.prompts();
    EXPECT_EQ(countOf(prompts, "输入第 1 测量点至断面起始端点正确的距离 :( 以米为单位 )"), 3);
    EXPECT_EQ(countOf(prompts, kDistanceConfirmAgain), 3);
    EXPECT_EQ(countOf(prompts, kDistanceConfirm), 1);
    EXPECT_EQ(survey.offsets(1, 1), 6.0);
    EXPECT_EQ(ui.text(TextBox::Text5), " 6.000米");
}

TEST(DataEntry, reads_every_zero_spelling_at_a_confirm_prompt_as_reentry) {
    for (const char* zero : {"0", "0.0", "00", " 0", "-0", "０"}) {
        ScriptedUi ui({"1", "n", "1", "1", zero, "2", "", "0", ""});
        SectionSurvey survey;
        enterSurvey(ui, survey);
        EXPECT_EQ(survey.elevations(1, 1), 2.0) << zero;
    }
}

TEST(DataEntry, accepts_a_value_confirmed_with_any_number_but_zero) {
    for (const std::optional<std::string>& yes :
         {std::optional<std::string>("1"), std::optional<std::string>("-3.5"),
          std::optional<std::string>("   ")}) {
        ScriptedUi ui({"1", "n", "1", "7", yes, "0", ""});
        SectionSurvey survey;
        enterSurvey(ui, survey);
        EXPECT_EQ(survey.elevations(1, 1), 7.0);
        EXPECT_TRUE(ui.errors().empty());
    }
}

// Cancel (Esc) at a confirm prompt turns the value down as "0" does: the value
// is entered again, never taken, and cancelling the re-entry abandons the run.
TEST(DataEntry, enters_the_value_again_when_its_confirm_prompt_is_cancelled) {
    for (const std::optional<std::string>& no :
         {std::optional<std::string>("0"), testing::kCancel}) {
        ScriptedUi ui({"1", "n", "1", "7", no, "8", no, "9", "", "5", no, "6", ""});
        SectionSurvey survey;
        enterSurvey(ui, survey);
        EXPECT_EQ(survey.elevations(1, 1), 9.0);
        EXPECT_EQ(survey.offsets(1, 1), 6.0);
        EXPECT_EQ(ui.prompts()[5], "输入第 1 观测点的正确高程 H :");
        EXPECT_EQ(ui.prompts()[6], "确认输入的高程 ?  正确单击 Enter 键 ); 错误输入零( 即为:0 ) ");
        EXPECT_EQ(ui.prompts()[11], "输入第 1 测量点至断面起始端点正确的距离 :( 以米为单位 )");
        EXPECT_EQ(ui.text(TextBox::Text4), " 9.000米");
        EXPECT_TRUE(ui.errors().empty());
    }
    ScriptedUi ui({"1", "n", "1", "7", testing::kCancel, testing::kCancel});
    SectionSurvey survey;
    EXPECT_THROW(enterSurvey(ui, survey), CalculationCancelled);
}

// A fraction would lose a section or points without a word: it is refused
// with a message and the same prompt comes again; a whole number written with
// decimals is whole.
TEST(DataEntry, refuses_fractional_counts_instead_of_rounding_them) {
    ScriptedUi ui(
        script({{"2.5", "2", "n", "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x8E\xEF\xBC\x95", "1.0", "0"},
                point("1", "1")}));
    SectionSurvey survey;
    enterSurvey(ui, survey);
    EXPECT_EQ(survey.sectionCount(), 2);
    EXPECT_EQ(survey.pointCounts(1), 1);
    EXPECT_EQ(ui.errors(), (std::vector<std::string>{
                               "“2.5”不是有效的断面个数。请输入 1 到 32767 之间的整数。",
                               "“１２．５”不是有效的观测点数。请输入 0 到 32766 之间的整数。"}));
    EXPECT_TRUE(ui.allAnswersUsed());
}

// What a drawing of the section sees: the points so far, the value being
// confirmed before it is accepted, a re-entered value in place of the wrong one.
TEST(DataEntry, shows_each_section_as_far_as_it_goes) {
    ScriptedUi ui({"2", "n", "2", "0", "100", "", "5", "0", "-5", "", "101", "", "0", ""});
    SectionSurvey survey;
    enterSurvey(ui, survey);
    using Point = SectionDraft::Point;
    const std::vector<SectionDraft> expected{
        {1, {}, {}, {}},
        {1, {}, 100.0, {}},
        {1, {}, 100.0, 5.0},
        {1, {}, 100.0, -5.0},  // S entered again: the point moves
        {1, {Point{100, -5}}, {}, {}},
        {1, {Point{100, -5}}, 101.0, {}},
        {1, {Point{100, -5}}, 101.0, 0.0},
        {1, {Point{100, -5}, Point{101, 0}}, {}, {}},
        {2, {}, {}, {}},
    };
    EXPECT_EQ(ui.drafts(), expected);
}

struct StationRow {
    const char* name;
    double station;
    const char* expected;
};

class StationNotation : public ::testing::TestWithParam<StationRow> {};

TEST_P(StationNotation, splits_kilometres_and_metres) {
    EXPECT_EQ(stationText(GetParam().station), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StationNotation,
    ::testing::Values(StationRow{"kilometres_and_metres", 12345.678, "K12+345.678"},
                      StationRow{"zero", 0.0, "K0+000.000"},
                      StationRow{"metres_padded", 50.0, "K0+050.000"},
                      StationRow{"half_metre", 1250.5, "K1+250.500"},
                      StationRow{"rounding_carries_into_kilometres", 999.9996, "K1+000.000"},
                      StationRow{"carry_at_a_higher_kilometre", 1999.9996, "K2+000.000"},
                      StationRow{"negative_has_one_sign", -1234.5, "K-1+234.500"},
                      StationRow{"negative_below_one_kilometre", -50.0, "K-0+050.000"},
                      StationRow{"negative_carry", -999.9996, "K-1+000.000"},
                      StationRow{"negative_rounding_to_zero_has_no_sign", -0.0004, "K0+000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace section
