// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of a calculation as the user reads them: in the window's text
// boxes and on the printed sheet.

#include <string>

#include "dialogue/user_interface.h"
#include "section/survey.h"

namespace section {

// Writes a length into a text box: `blanks` + the value written "0.000" + "米".
void showMetres(UserInterface& ui, TextBox box, const std::string& blanks, double value);

// Shows each pair's two areas, spacing and volume after a pause prompt, then
// the total. A single section shows its area alone, the pair's other boxes
// empty.
void showResults(UserInterface& ui, const SectionSurvey& survey);
// What showResults leaves in the boxes, without the pauses and the pairs
// before the last: the screen of a calculation finished.
void showLastResults(UserInterface& ui, const SectionSurvey& survey);

}  // namespace section
