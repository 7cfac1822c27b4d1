// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes worked out from a record against the boxes the real dialogue
// leaves: for thousands of random surveys replayed as a file's answers, and
// thousands of typed runs with values entered again, refused answers,
// sections without points, with and without stations, of one section or more.

#include "dialogue/finished_screen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "dialogue/replay.h"
#include "dialogue/run.h"
#include "random_survey.h"
#include "section/calculation.h"

namespace section {
namespace {

// Keeps the last text written into each box, as the window shows it at the end.
class BoxesUi : public UserInterface {
  public:
    void setText(TextBox box, const std::string& text) override {
        boxes_[static_cast<std::size_t>(box) - 1] = text;
    }
    void showError(const std::string&) override { ++errors_; }

    const BoxTexts& boxes() const { return boxes_; }
    int errors() const { return errors_; }

  private:
    BoxTexts boxes_;
    int errors_ = 0;
};

// The answers of a survey's file, one after the other.
class FileUi : public BoxesUi {
  public:
    explicit FileUi(std::vector<Answer> answers) : answers_(std::move(answers)) {}
    std::optional<std::string> ask(const Prompt& prompt) override {
        const Answer& answer = answers_.at(next_++);
        EXPECT_EQ(answer.kind, prompt.kind) << "answer " << next_;
        return answer.text;
    }

  private:
    std::vector<Answer> answers_;
    std::size_t next_ = 0;
};

// A surveyor at the keyboard: mostly sensible answers, now and then one that
// is refused, a value rejected at its confirm and typed again, a Cancel
// where it does not abandon the run. Never a Cancel that does.
class TypistUi : public BoxesUi {
  public:
    explicit TypistUi(unsigned seed) : random_(seed) {}

    std::optional<std::string> ask(const Prompt& prompt) override {
        const int roll = pick(100);
        switch (prompt.kind) {
            case PromptKind::SectionCount:
                if (roll < 10) return pickOf({"", "abc", "0", "-3", "2.5", "40000", "１e"});
                return roll < 40 ? "1" : std::to_string(2 + pick(5));
            case PromptKind::StationQuestion:
                if (roll < 5) return std::nullopt;
                return pickOf({"y", "n", "Y", " y ", "ｙ", "", "yes"});
            case PromptKind::PointCount:
                if (roll < 8) return pickOf({"", "x", "-1", "1.5", "32767"});
                if (roll < 25) return "0";
                return std::to_string(roll < 28 ? 30 : 1 + pick(5));
            case PromptKind::Confirm:
                if (roll < 25) {
                    ++reentries_;
                    return "0";
                }
                if (roll < 30) return pickOf({"abc", "1,5", "？"});
                if (roll < 35) return std::nullopt;
                return pickOf({"", "1", "-2", "  ", "１"});
            case PromptKind::Pause:
                return roll < 10 ? std::nullopt : std::optional(pickOf({"", "0", "abc"}));
            case PromptKind::Station:
            case PromptKind::Elevation:
            case PromptKind::Distance:
            case PromptKind::Spacing:
                if (roll < 8) return pickOf({"", "1.2.3", "3e39", "--1", "ab"});
                if (roll < 9) return pickOf({"3.4e38", "-3.4e38"});
                if (roll < 12) return pickOf({"-0", "0", "1e-40", "１２．５", " 7 "});
                return std::to_string(std::uniform_real_distribution<double>(-500, 500)(random_));
        }
        return std::string();
    }

    int reentries() const { return reentries_; }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::string pickOf(std::initializer_list<const char*> texts) {
        return *(texts.begin() + pick(static_cast<int>(texts.size())));
    }

    std::mt19937 random_;
    int reentries_ = 0;
};

std::string described(const BoxTexts& boxes) {
    std::string text;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        text +=
            "Text" + std::to_string(k + 1) + "=" + (boxes[k] ? "“" + *boxes[k] + "”" : "-") + " ";
    return text;
}

TEST(FinishedScreen, is_what_replaying_a_files_answers_leaves_and_needs_no_replay) {
    std::mt19937 random(11);
    int finished = 0, overflowed = 0, withoutPoints = 0;
    for (int k = 0; k < 6000; ++k) {
        const SectionSurvey file = testing::randomSurvey(random, true, true);
        FileUi ui(typedAnswers(file));
        SectionSurvey record;
        const CalculationEnd end = runCalculation(ui, record);
        // The direct calculation, as the window now opens a file.
        SectionSurvey direct = file;
        const bool calculated = calculateSurvey(direct);
        ASSERT_NE(end, CalculationEnd::Cancelled) << k;
        ASSERT_EQ(calculated, end == CalculationEnd::Finished) << k;
        if (!calculated) {
            ++overflowed;
            continue;
        }
        ++finished;
        if (!ui.boxes()[2]) ++withoutPoints;
        ASSERT_EQ(direct, record) << k;
        ASSERT_EQ(finishedScreen(direct), ui.boxes())
            << k << "\n  from the record: " << described(finishedScreen(direct))
            << "\n  by the dialogue: " << described(ui.boxes());
    }
    std::printf("finished %d overflowed %d without points %d\n", finished, overflowed,
                withoutPoints);
    EXPECT_GT(finished, 4000);
    EXPECT_GT(overflowed, 100);
    EXPECT_GT(withoutPoints, 20);
}

TEST(FinishedScreen, is_what_a_typed_run_leaves_whatever_was_typed_on_the_way) {
    int finished = 0, oneSection = 0, stations = 0, reentered = 0, refused = 0;
    for (unsigned seed = 1; seed <= 6000; ++seed) {
        TypistUi ui(seed);
        SectionSurvey record;
        if (runCalculation(ui, record) != CalculationEnd::Finished) continue;
        ++finished;
        oneSection += record.sectionCount() == 1;
        stations += record.stationsEntered();
        reentered += ui.reentries() > 0;
        refused += ui.errors() > 0;
        ASSERT_EQ(finishedScreen(record), ui.boxes())
            << "seed " << seed << "\n  from the record: " << described(finishedScreen(record))
            << "\n  by the dialogue: " << described(ui.boxes());
    }
    std::printf("finished %d: one section %d, stations %d, re-entries %d, refused answers %d\n",
                finished, oneSection, stations, reentered, refused);
    // The mix must exercise every path, or the test proves little.
    EXPECT_GT(finished, 4000);
    EXPECT_GT(oneSection, 1000);
    EXPECT_GT(stations, 1000);
    EXPECT_GT(finished - stations, 1000);
    EXPECT_GT(reentered, 2000);
    EXPECT_GT(refused, 2000);
}

// Where nothing of the survey says what a box shows: a run over sections
// without points never writes the point number, which keeps the earlier one.
TEST(FinishedScreen, leaves_the_point_number_alone_when_no_section_has_points) {
    SectionSurvey survey;
    survey.resize(2);
    survey.setStationAnswer("n");
    survey.allocatePoints();
    survey.setSpacing(1, 20.0f);
    ASSERT_TRUE(calculateSurvey(survey));
    const BoxTexts boxes = finishedScreen(survey);
    EXPECT_FALSE(boxes[2]);
    EXPECT_EQ(boxes[3], " ");
    EXPECT_EQ(boxes[4], "");
    EXPECT_EQ(boxes[7], "  20米");
    EXPECT_EQ(boxes[10], "现在请输入第 1 号至第2 号断面的间距 :");
}

}  // namespace
}  // namespace section
