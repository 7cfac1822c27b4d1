// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spacings DL between adjacent sections when no stations were entered: asked
// pair by pair, each confirmed or entered again.

#include "dialogue/user_interface.h"
#include "section/survey.h"

namespace section {

// Asks spacings(1..N-1) pair by pair. Throws CalculationCancelled when the
// user cancels a spacing prompt.
void askSpacings(UserInterface& ui, SectionSurvey& survey);

}  // namespace section
