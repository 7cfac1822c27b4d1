// SPDX-License-Identifier: GPL-3.0-or-later
#include "generated_survey.h"

#include <random>

section::SectionSurvey generatedSurvey(int sections, int points) {
    section::SectionSurvey survey;
    survey.resize(sections);
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, static_cast<std::int16_t>(points));
    survey.allocatePoints();
    std::mt19937 random(1);
    std::uniform_real_distribution<float> elevation(95.0f, 105.0f);
    for (int i = 1; i <= sections; ++i) {
        survey.setStation(i, 1000.0f + 20.0f * static_cast<float>(i - 1));
        for (int j = 1; j <= points; ++j) {
            // Across the road and back, so each outline is closed and wide.
            const float across =
                j <= points / 2 ? 20.0f - 0.08f * j : -20.0f + 0.08f * (j - points / 2);
            survey.setPoint(i, j, elevation(random), across);
        }
        if (i < sections) survey.setSpacing(i, 20.0f);
    }
    return survey;
}
