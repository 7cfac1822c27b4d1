// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What looks wrong in a calculated survey although it calculates: the
// warnings of its kind of sections, station letters that change from one
// section to the next, and those its road design adds: station
// order told by the continuous chainage across 断链, stations a 断链 leaves
// unsettled, and where the design did not fit a section's ground.

#include <vector>

#include "section/any_survey.h"
#include "section/checks.h"

namespace section {

// What looks wrong in a calculated survey although it calculates, in section
// order, one sentence each.
std::vector<SurveyWarning> warnings(const Survey& survey);
// The same after a step that changed only values or points of sections
// first..last, given the warnings `before` it; a closed outline's other
// sections are not looked at again.
std::vector<SurveyWarning> warnings(const Survey& survey, const std::vector<SurveyWarning>& before,
                                    int first, int last);

}  // namespace section
