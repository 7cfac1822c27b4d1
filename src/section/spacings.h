// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spacings DL between adjacent sections: from the stations when they were
// entered, otherwise asked pair by pair, each confirmed or entered again.

#include "section/survey.h"
#include "section/user_interface.h"

namespace section {

// Fills spacings(1..N-1). Returns false when a spacing worked out from the
// stations is beyond the 32-bit range. Throws CalculationCancelled when the user
// cancels a spacing prompt.
bool enterSpacings(UserInterface& ui, SectionSurvey& survey);

}  // namespace section
