// SPDX-License-Identifier: GPL-3.0-or-later
// A cell edit of a large survey redoes only what it touches: it costs a small
// part of a full calculation and stays far below a frame (16 ms). The fastest
// of several runs is compared, so a loaded machine does not decide.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "document/survey_document.h"
#include "section/calculation.h"

namespace document {
namespace {

using section::SectionSurvey;
using Clock = std::chrono::steady_clock;

constexpr int kSections = 2000;
constexpr int kPoints = 50;

SectionSurvey large() {
    SectionSurvey survey;
    survey.resize(kSections);
    survey.setStationAnswer("y");
    for (int i = 1; i <= kSections; ++i) survey.setPointCount(i, kPoints);
    survey.allocatePoints();
    for (int i = 1; i <= kSections; ++i) {
        survey.setStation(i, 20 * static_cast<Value>(i));
        for (int j = 1; j <= kPoints; ++j)
            survey.setPoint(i, j, static_cast<Value>(100 + (i * j) % 7),
                            static_cast<Value>(j <= kPoints / 2 ? 25 - j : j - 75));
    }
    return survey;
}

template <class F>
Clock::duration fastest(int runs, F run) {
    auto best = Clock::duration::max();
    for (int k = 0; k < runs; ++k) {
        const auto start = Clock::now();
        run(k);
        best = std::min(best, Clock::now() - start);
    }
    return best;
}

TEST(EditSpeed, one_cell_of_100000_points_costs_a_small_part_of_a_full_calculation) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(large(), "计算", ""), Outcome::Done);
    SectionSurvey full = document.survey();
    const auto calculation = fastest(5, [&](int) { section::calculateSurvey(full); });
    const auto edit = fastest(50, [&](int k) {
        document.setCell({kSections / 2, kPoints / 2, Column::Elevation, static_cast<Value>(k)});
    });
    EXPECT_LT(edit, calculation / 2);  // about an eighth measured
    EXPECT_LT(edit, std::chrono::milliseconds(16));
}

}  // namespace
}  // namespace document
