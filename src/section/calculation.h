// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a calculation works out once its values are in place.

#include "section/chainage.h"
#include "section/survey.h"

namespace section {

// For a survey whose points (and, without stations, spacings) are in place:
// the spacings from the stations when they were entered, the areas, the
// volumes and the total. False when a result is beyond the accepted range.
bool calculateSurvey(SectionSurvey& survey, const Chainage* breaks = nullptr);

}  // namespace section
