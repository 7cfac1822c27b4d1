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

// spacings(i) <- stations(i+1) - stations(i), worked out exactly from the
// stations as entered and kept as the nearest 64-bit value, so that 1523.123 -
// 1500.1 is 23.023 and reads so. Returns false when a spacing is beyond the
// accepted range (runtime::inValueRange).
bool spacingsFromStations(SectionSurvey& survey);

}  // namespace section
