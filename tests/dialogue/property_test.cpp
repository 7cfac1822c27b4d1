// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random answer sequences: valid numbers, garbage, empty answers,
// cancels, huge values, zeros at confirm prompts. Whatever is typed, the
// calculation either finishes with a complete, consistent record, or is
// abandoned and leaves the earlier record exactly as it was.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "dialogue/run.h"
#include "runtime/number_text.h"

namespace section {
namespace {

// Answers each prompt at random; after `budget` prompts it winds the run down
// (cancels numbers, accepts confirms) so that every run ends.
class RandomUi : public UserInterface {
  public:
    RandomUi(unsigned seed, int budget) : random_(seed), budget_(budget) {}

    std::optional<std::string> ask(const Prompt& prompt) override {
        if (++asked_ > budget_)
            return cancelAbandons(prompt.kind) ? std::nullopt : std::optional(std::string());
        const int roll = pick(100);
        if (roll < 2) return std::nullopt;
        if (roll < 7) return garbage();
        switch (prompt.kind) {
            case PromptKind::SectionCount:
            case PromptKind::PointCount:
                return std::to_string(pick(7) - 1);  // -1..5
            case PromptKind::StationQuestion:
                return pick(2) ? "y" : "n";
            case PromptKind::Confirm:
                return roll < 35 ? "0" : (roll < 45 ? "1" : "");
            case PromptKind::Pause:
                return std::string();
            case PromptKind::Station:
            case PromptKind::Elevation:
            case PromptKind::Distance:
            case PromptKind::Spacing:
                return value(roll);
        }
        return std::string();
    }
    void setText(TextBox, const std::string&) override {}
    void showError(const std::string& message) override {
        EXPECT_FALSE(message.empty());
        ++errors_;
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string garbage() {
        static const std::vector<std::string> texts{"",    " ",    "abc",  "1.2.3", "1e",
                                                    "--1", "１２", "12,5", "0x1F",  "inf",
                                                    "nan", "3e39", "-3e39"};
        return texts[pick(static_cast<int>(texts.size()))];
    }

    std::string value(int roll) {
        if (roll < 10) return pick(2) ? "3.4e38" : "-3.4e38";
        if (roll < 13) return "1e-40";
        std::uniform_real_distribution<double> v(-200.0, 200.0);
        return std::to_string(std::round(v(random_) * 1000) / 1000);
    }

    std::mt19937 random_;
    int budget_;
    int asked_ = 0;
    int errors_ = 0;
};

// The area as the surveyors' tables describe it: working arrays with the
// closing point, distances from the first point written over the offsets in
// place, then the trapezoid sum; and how far apart roundings may put it from
// the record's sum, which leaves out the base line and the first distance.
struct WorkedArea {
    double area = 0.0;
    double tolerance = 0.0;
};

WorkedArea areaByWorkingArrays(const SectionSurvey& s, int i) {
    const int count = s.pointCounts(i);
    std::vector<double> h(count + 2, 0.0), d(count + 2, 0.0);
    for (int j = 1; j <= count; ++j) {
        h[j] = s.elevations(i, j) + 10.0;
        d[j] = s.offsets(i, j);
    }
    h[count + 1] = h[1];
    d[count + 1] = d[1];
    const double first = d[1];
    for (int j = 1; j <= count + 1; ++j) d[j] = first - d[j];
    WorkedArea worked;
    for (int j = 1; j <= count; ++j) {
        worked.area = (h[j + 1] + h[j]) * (d[j + 1] - d[j]) / 2.0 + worked.area;
        worked.tolerance += (std::abs(h[j + 1]) + std::abs(h[j])) *
                            (std::abs(d[j + 1]) + std::abs(d[j]) + std::abs(first));
    }
    worked.tolerance *= (count + 8) * 0x1p-52;
    return worked;
}

void expectConsistent(const SectionSurvey& s) {
    ASSERT_GE(s.sectionCount(), 1);
    double total = 0.0;
    for (int i = 1; i <= s.sectionCount(); ++i) {
        EXPECT_GE(s.pointCounts(i), 0);
        const WorkedArea worked = areaByWorkingArrays(s, i);
        EXPECT_NEAR(s.areas(i), worked.area, worked.tolerance) << "section " << i;
        if (i == s.sectionCount()) break;
        if (s.stationsEntered()) {
            const double difference = s.stations(i + 1) - s.stations(i);
            EXPECT_NEAR(s.spacings(i), difference,
                        (std::abs(s.stations(i + 1)) + std::abs(s.stations(i))) * 0x1p-52);
        }
        const double volume = (s.areas(i + 1) + s.areas(i)) * s.spacings(i) / 2.0;
        EXPECT_EQ(s.volumes(i), volume) << "pair " << i;
        total = volume + total;
    }
    EXPECT_EQ(s.totalVolume(), total);
    EXPECT_TRUE(runtime::inValueRange(total));
}

TEST(RandomAnswers, either_finish_consistently_or_leave_the_record_untouched) {
    SectionSurvey record;
    int finished = 0, cancelled = 0, overflowed = 0;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        RandomUi ui(seed, 400);
        const SectionSurvey before = record;
        switch (runCalculation(ui, record)) {
            case CalculationEnd::Finished:
                ++finished;
                expectConsistent(record);
                break;
            case CalculationEnd::Cancelled:
                ++cancelled;
                EXPECT_EQ(record, before) << "seed " << seed;
                break;
            case CalculationEnd::Overflow:
                ++overflowed;
                EXPECT_EQ(record, before) << "seed " << seed;
                break;
        }
        if (HasFailure()) FAIL() << "seed " << seed;
    }
    std::printf("finished %d cancelled %d overflowed %d\n", finished, cancelled, overflowed);
    // The mix must exercise every ending, or the test proves little.
    EXPECT_GT(finished, 100);
    EXPECT_GT(cancelled, 100);
    EXPECT_GT(overflowed, 10);
}

}  // namespace
}  // namespace section
