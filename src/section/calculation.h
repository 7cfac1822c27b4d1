// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One whole calculation, as the calculate button runs it: data entry, spacings,
// areas, volumes and the results on screen.

#include "section/survey.h"
#include "section/user_interface.h"

namespace section {

enum class CalculationEnd {
    Finished,   // the record now holds the new survey
    Cancelled,  // the user cancelled a prompt; the record is unchanged
    Overflow,   // a result went beyond ±3.4E+38; the record is unchanged
};

// Runs a calculation on a fresh record and puts it into `record` only when it
// finishes, so an abandoned calculation leaves the last finished one as it was.
CalculationEnd runCalculation(UserInterface& ui, SectionSurvey& record);

// What a calculation works out once its prompts are answered, for a survey
// whose points (and, without stations, spacings) are in place: the spacings
// from the stations when they were entered, the areas, the volumes and the
// total. False when a result is beyond the accepted range (±3.4E+38).
bool calculateSurvey(SectionSurvey& survey);

}  // namespace section
