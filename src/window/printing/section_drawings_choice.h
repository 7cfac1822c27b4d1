// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the calculation sheet carries a drawing of each section beside its
// points: a check box in the print dialog and the PDF export's file dialog,
// off until the user checks it, and remembered in the settings from then on.

#include "printout/survey_printouts.h"

class QCheckBox;

namespace window {

// The choice as last made; without drawings until one is made.
printout::SectionDrawings chosenSectionDrawings();

// A check box showing the choice, keeping it in the settings as it changes.
QCheckBox* sectionDrawingsBox();

}  // namespace window
