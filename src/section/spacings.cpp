// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/spacings.h"

#include "runtime/exact_decimal.h"
#include "runtime/number_text.h"

namespace section {

bool spacingsFromStations(SectionSurvey& survey) {
    for (int i = 1; i < survey.sectionCount(); ++i) {
        const double spacing = (runtime::ExactDecimal::of(survey.stations(i + 1)) -
                                runtime::ExactDecimal::of(survey.stations(i)))
                                   .nearest();
        if (!runtime::inValueRange(spacing)) return false;
        survey.setSpacing(i, spacing);
    }
    return true;
}

}  // namespace section
