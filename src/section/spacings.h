// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spacings DL between adjacent sections: from the stations when they were
// entered, otherwise asked pair by pair, each confirmed or entered again.

#include "section/survey.h"
#include "section/user_interface.h"

namespace section {

// Asks spacings(1..N-1) pair by pair. Throws CalculationCancelled when the
// user cancels a spacing prompt.
void askSpacings(UserInterface& ui, SectionSurvey& survey);

// spacings(i) <- stations(i+1) - stations(i), kept in 32 bits. Returns false
// when a spacing is beyond the 32-bit range.
bool spacingsFromStations(SectionSurvey& survey);

}  // namespace section
