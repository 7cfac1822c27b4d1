// SPDX-License-Identifier: GPL-3.0-or-later
// What a surveyor's typo, a cancel or an overflow does: never end the program,
// never lose the last finished calculation.

#include <gtest/gtest.h>

#include "dialogue/run.h"
#include "scripted_ui.h"

namespace section {
namespace {

using testing::kCancel;
using testing::point;
using testing::script;
using testing::ScriptedUi;
using testing::triangle;

using Answers = std::vector<std::optional<std::string>>;

// Two sections without stations, three points each, spacing 10.
Answers wholeRun() {
    return script({{"2", "n", "3", "3"}, triangle("2"), triangle("4"), {"10", "", ""}});
}

SectionSurvey finishedRecord() {
    ScriptedUi ui(
        script({{"1", "y", "500", "3"}, point("1", "1"), point("2", "0"), point("1", "-1")}));
    SectionSurvey record;
    runCalculation(ui, record);
    return record;
}

struct BadAnswerRow {
    const char* name;
    std::size_t at;  // index of the answer to spoil in wholeRun()
    std::string answer;
    std::string message;
};

class BadAnswer : public ::testing::TestWithParam<BadAnswerRow> {};

TEST_P(BadAnswer, gets_a_message_and_the_same_prompt_again) {
    const BadAnswerRow& row = GetParam();
    Answers answers = wholeRun();
    answers.insert(answers.begin() + static_cast<long>(row.at), row.answer);
    ScriptedUi ui(answers);
    SectionSurvey record;

    ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], row.message);
    EXPECT_EQ(ui.errorAfterPrompt()[0], row.at + 1);
    EXPECT_EQ(ui.prompts()[row.at + 1], ui.prompts()[row.at]);
    EXPECT_EQ(record.totalVolume(), 30.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadAnswer,
    ::testing::Values(
        BadAnswerRow{"letters_for_the_section_count", 0, "abc",
                     "“abc”不是有效的断面个数。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"empty_section_count", 0, "",
                     "没有输入断面个数。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"zero_sections", 0, "0",
                     "“0”超出了允许的范围。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"negative_sections", 0, "-3",
                     "“-3”超出了允许的范围。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"too_many_sections", 0, "40000",
                     "“40000”超出了允许的范围。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{
            "a_26_digit_count", 0, "12345678901234567890123456",
            "“12345678901234567890123456”超出了允许的范围。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{
            "a_5000_digit_count_quoted_short", 0, std::string(5000, '9'),
            "“" + std::string(30, '9') + "…”超出了允许的范围。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"fractional_section_count", 0, "2.5",
                     "“2.5”不是有效的断面个数。请输入 1 到 32767 之间的整数。"},
        BadAnswerRow{"negative_point_count", 2, "-1",
                     "“-1”超出了允许的范围。请输入 0 到 32766 之间的整数。"},
        BadAnswerRow{"point_count_without_room_to_close", 3, "32767",
                     "“32767”超出了允许的范围。请输入 0 到 32766 之间的整数。"},
        BadAnswerRow{"comma_in_an_elevation", 4, "12,3",
                     "“12,3”不是有效的高程。请输入以米为单位的数值，例如 12.345。"},
        BadAnswerRow{"huge_distance", 6, "1e39",
                     "“1e39”超出了允许的范围。请输入绝对值不超过 3.4E+38 的数值。"},
        BadAnswerRow{"blank_distance", 6, "  ",
                     "没有输入距离。请输入以米为单位的数值，例如 12.345。"},
        BadAnswerRow{"word_at_a_confirm_prompt", 5, "ok",
                     "“ok”无法识别。数值正确请直接按 Enter 键；数值有误请输入 0，然后重新输入。"},
        BadAnswerRow{"letters_for_a_spacing", 28, "ten",
                     "“ten”不是有效的间距。请输入以米为单位的数值，例如 12.345。"},
        BadAnswerRow{"word_at_the_spacing_confirm", 29, "yes",
                     "“yes”无法识别。数值正确请直接按 Enter 键；数值有误请输入 0，然后重新输入。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cancel, at_any_number_prompt_leaves_the_last_finished_record_as_it_was) {
    ScriptedUi full(wholeRun());
    SectionSurvey scratch;
    ASSERT_EQ(runCalculation(full, scratch), CalculationEnd::Finished);

    const SectionSurvey before = finishedRecord();
    int cancelled = 0;
    for (std::size_t k = 0; k < full.seen().size(); ++k) {
        if (!cancelAbandons(full.seen()[k].prompt.kind)) continue;
        Answers answers = wholeRun();
        answers.resize(k);
        answers.push_back(kCancel);
        ScriptedUi ui(answers);
        SectionSurvey record = before;
        EXPECT_EQ(runCalculation(ui, record), CalculationEnd::Cancelled) << full.prompts()[k];
        EXPECT_EQ(record, before) << full.prompts()[k];
        ++cancelled;
    }
    EXPECT_EQ(cancelled, 16);  // count, 2 point counts, 12 point values, 1 spacing
}

TEST(Cancel, at_the_pause_prompt_still_shows_the_results) {
    Answers answers = wholeRun();
    answers.back() = kCancel;
    ScriptedUi ui(answers);
    SectionSurvey record;
    EXPECT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
    EXPECT_EQ(ui.text(TextBox::Text9), " 30.000立方米");
}

struct OverflowRow {
    const char* name;
    Answers answers;
};

class Overflow : public ::testing::TestWithParam<OverflowRow> {};

TEST_P(Overflow, abandons_the_calculation_and_keeps_the_last_record) {
    const SectionSurvey before = finishedRecord();
    SectionSurvey record = before;
    ScriptedUi ui(GetParam().answers);
    EXPECT_EQ(runCalculation(ui, record), CalculationEnd::Overflow);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0],
              "计算结果超出了数值范围（绝对值超过 3.4E+38），无法继续计算。"
              "本次计算已取消，上一次的计算结果保持不变。");
    EXPECT_EQ(record, before);

    // The program goes on: the next calculation finishes normally.
    ScriptedUi next(wholeRun());
    EXPECT_EQ(runCalculation(next, record), CalculationEnd::Finished);
    EXPECT_EQ(record.totalVolume(), 30.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Overflow,
    ::testing::Values(
        OverflowRow{"spacing_from_stations", {"2", "y", "3e38", "0", "-3e38", "0"}},
        // A triangle 6E+38 m wide and 3 m high; the distances alone stay in
        // range, as the area of the same one 1 m high (3E+38 square metres) does.
        OverflowRow{"area", script({{"1", "n", "3"},
                                    point("100", "3e38"),
                                    point("103", "0"),
                                    point("100", "-3e38")})},
        OverflowRow{"volume",
                    script({{"2", "n", "3", "3"}, triangle("2"), triangle("4"), {"3e38", ""}})},
        OverflowRow{"total", script({{"3", "n", "3", "3", "3"},
                                     triangle("1"),
                                     triangle("1"),
                                     triangle("1"),
                                     {"3e38", "", "3e38", ""}})}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace section
