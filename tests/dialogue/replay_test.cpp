// SPDX-License-Identifier: GPL-3.0-or-later
// Answers played back into the dialogue: a survey's own answers rebuild it
// exactly as a direct calculation does; recorded answers hand over to the user
// where they end; answers of another dialogue, or recorded at another place,
// are caught.

#include "dialogue/replay.h"

#include <gtest/gtest.h>

#include <random>

#include "dialogue/run.h"
#include "random_survey.h"
#include "scripted_ui.h"
#include "section/calculation.h"

namespace section {
namespace {

using testing::point;
using testing::randomSurvey;
using testing::script;
using testing::ScriptedUi;

TEST(Replay, a_surveys_own_answers_rebuild_what_the_direct_calculation_gives) {
    std::mt19937 random(7);
    for (int k = 0; k < 500; ++k) {
        SectionSurvey direct = randomSurvey(random, false, true);
        ReplayUi replay(typedAnswers(direct), nullptr);
        SectionSurvey typed;
        ASSERT_EQ(runCalculation(replay, typed), CalculationEnd::Finished) << k;
        ASSERT_TRUE(calculateSurvey(direct));
        ASSERT_EQ(typed, direct) << k;
        ASSERT_TRUE(replay.screen()[9]);  // the total was written
    }
}

TEST(Replay, hands_over_to_the_user_where_the_answers_end_with_the_boxes_as_they_were) {
    ScriptedUi user(script({point("101", "0"), point("100", "-2")}));
    ReplayUi replay({{PromptKind::SectionCount, "1"},
                     {PromptKind::StationQuestion, "n"},
                     {PromptKind::PointCount, "3"},
                     {PromptKind::Elevation, "abc"},  // a bad answer: its message stays unseen
                     {PromptKind::Elevation, "100"},
                     {PromptKind::Confirm, ""},
                     {PromptKind::Distance, "2"},
                     {PromptKind::Confirm, ""}},
                    &user);
    SectionSurvey record;
    ASSERT_EQ(runCalculation(replay, record), CalculationEnd::Finished);
    EXPECT_TRUE(user.errors().empty());
    ASSERT_EQ(user.seen().size(), 8u);
    EXPECT_EQ(user.seen()[0].prompt.point, 2);
    EXPECT_EQ(user.seen()[0].box(TextBox::Text1), "本次计算共有1个断面");
    EXPECT_EQ(user.seen()[0].box(TextBox::Text5), " 2.000米");
    EXPECT_EQ(record.areas(1), 2.0);
}

// The index of the first answer that does not fit, if any.
std::optional<std::size_t> firstMisfit(const std::vector<Answer>& answers) {
    ReplayUi replay(answers, nullptr);
    SectionSurvey record;
    try {
        runCalculation(replay, record);
    } catch (const ReplayMismatch& mismatch) {
        return mismatch.index;
    }
    return std::nullopt;
}

TEST(Replay, answers_of_another_dialogue_are_caught_at_the_first_that_does_not_fit) {
    EXPECT_EQ(firstMisfit({{PromptKind::SectionCount, "1"}, {PromptKind::Elevation, "3"}}), 1u);
}

// An answer recorded at point 1 met by point 2's prompt of the same kind, as
// when an answer lost from the middle of a journal shifts the rest.
TEST(Replay, recorded_answers_are_caught_at_the_first_of_another_place) {
    using enum PromptKind;
    std::vector<Answer> answers{{SectionCount, "1", {{0, 0}}}, {StationQuestion, "n", {{0, 0}}},
                                {PointCount, "2", {{1, 0}}},   {Elevation, "5", {{1, 1}}},
                                {Confirm, "", {{1, 1}}},       {Distance, "1", {{1, 1}}},
                                {Confirm, "", {{1, 1}}},       {Elevation, "6", {{1, 1}}}};
    EXPECT_EQ(firstMisfit(answers), 7u);
    answers.back().place = {{1, 2}};
    EXPECT_EQ(firstMisfit(answers), std::nullopt);
}

}  // namespace
}  // namespace section
