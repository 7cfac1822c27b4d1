// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Volumes between adjacent sections by the survey's method, and the total.

#include "section/survey.h"

namespace section {

// volumes(i) <- the volume between areas(i) and areas(i+1) spacings(i) apart
// (volumeBetween) for i = 1..N-1, and their sum in ascending i. Returns false when a volume or the
// total is beyond the accepted range (runtime::inValueRange).
bool computeVolumes(SectionSurvey& survey);

}  // namespace section
