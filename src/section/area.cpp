// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/area.h"

#include <cmath>

namespace section {

float sectionArea(const float* elevations, const float* offsets, int count) {
    if (count < 1) return 0.0f;
    const double first = offsets[0];
    // Point 1 is also the closing point.
    const auto h1 = static_cast<float>(static_cast<double>(elevations[0]) + 10.0);
    const auto d1 = static_cast<float>(first - static_cast<double>(offsets[0]));
    float hPrevious = h1;
    float dPrevious = d1;
    float area = 0.0f;
    for (int j = 1; j < count; ++j) {
        const auto h = static_cast<float>(static_cast<double>(elevations[j]) + 10.0);
        const auto d = static_cast<float>(first - static_cast<double>(offsets[j]));
        area = static_cast<float>((static_cast<double>(h) + hPrevious) *
                                      (static_cast<double>(d) - dPrevious) / 2.0 +
                                  area);
        hPrevious = h;
        dPrevious = d;
    }
    return static_cast<float>(
        (static_cast<double>(h1) + hPrevious) * (static_cast<double>(d1) - dPrevious) / 2.0 + area);
}

bool computeAreas(SectionSurvey& survey) {
    bool finite = true;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const float area = sectionArea(survey.sectionElevations(i), survey.sectionOffsets(i),
                                       survey.pointCounts(i));
        survey.setArea(i, area);
        finite = finite && std::isfinite(area);
    }
    return finite;
}

}  // namespace section
