// SPDX-License-Identifier: GPL-3.0-or-later
#include "generated_survey.h"

#include <random>

section::SectionSurvey generatedSurvey(int sections, int points) {
    section::SectionSurvey survey;
    survey.resize(sections);
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, static_cast<std::int16_t>(points));
    survey.allocatePoints();
    std::mt19937 random(1);
    // Elevations in millimetres, as typed.
    std::uniform_int_distribution<int> elevation(95000, 105000);
    for (int i = 1; i <= sections; ++i) {
        survey.setStation(i, 1000.0 + 20.0 * (i - 1));
        for (int j = 1; j <= points; ++j) {
            // Across the road and back, so each outline is closed and wide.
            const double across = j <= points / 2 ? (20000 - 80 * j) / 1000.0
                                                  : (-20000 + 80 * (j - points / 2)) / 1000.0;
            survey.setPoint(i, j, elevation(random) / 1000.0, across);
        }
        if (i < sections) survey.setSpacing(i, 20.0);
    }
    return survey;
}
