// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One whole calculation, as the calculate button runs it: data entry, spacings,
// areas, volumes and the results on screen.

#include "dialogue/user_interface.h"
#include "section/survey.h"

namespace section {

enum class CalculationEnd {
    Finished,   // the record now holds the new survey
    Cancelled,  // the user cancelled a prompt; the record is unchanged
    Overflow,   // a result went beyond ±3.4E+38; the record is unchanged
};

// Runs a calculation on a fresh record and puts it into `record` only when it
// finishes, so an abandoned calculation leaves the last finished one as it was.
CalculationEnd runCalculation(UserInterface& ui, SectionSurvey& record);

}  // namespace section
