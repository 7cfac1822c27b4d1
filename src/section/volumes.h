// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Volumes between adjacent sections by the average-end-area rule, and the total.

#include "section/survey.h"

namespace section {

// volumes(i) <- (areas(i+1) + areas(i)) x spacings(i) / 2 for i = 1..N-1, and
// their sum in ascending i. Returns false when a volume or the total is beyond
// the accepted range (runtime::inValueRange).
bool computeVolumes(SectionSurvey& survey);

}  // namespace section
