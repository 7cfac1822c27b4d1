// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/area.h"

#include "runtime/number_text.h"

namespace section {

double sectionArea(const double* elevations, const double* offsets, int count) {
    if (count < 1) return 0.0;
    double sum = 0.0;
    for (int j = 1; j < count; ++j)
        sum += (elevations[j] + elevations[j - 1]) * (offsets[j - 1] - offsets[j]);
    // The last edge closes the outline back to point 1.
    sum += (elevations[0] + elevations[count - 1]) * (offsets[count - 1] - offsets[0]);
    return sum / 2.0;
}

bool computeAreas(SectionSurvey& survey) {
    bool inRange = true;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const double area = sectionArea(survey.sectionElevations(i), survey.sectionOffsets(i),
                                        survey.pointCounts(i));
        survey.setArea(i, area);
        inRange = inRange && runtime::inValueRange(area);
    }
    return inRange;
}

}  // namespace section
