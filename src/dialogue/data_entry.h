// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data-entry dialogue: section count, station question, each section's
// station and point count, then every point's elevation H and distance S, each
// confirmed or entered again. Progress is echoed in the window's text boxes.

#include "dialogue/user_interface.h"
#include "section/survey.h"

namespace section {

// Fills `survey` (section count, station answer, stations, point counts,
// elevations and distances). Throws CalculationCancelled when the user cancels.
void enterSurvey(UserInterface& ui, SectionSurvey& survey);

}  // namespace section
