// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text boxes as a finished calculation leaves them, worked out from its
// record alone: what opening a survey shows without replaying its dialogue.

#include <array>
#include <optional>
#include <string>

#include "dialogue/run.h"
#include "section/any_survey.h"
#include "section/survey.h"

namespace section {

// The text of Text1 ... Text12 (index 0 is Text1); nothing for a box the run
// never writes, which keeps whatever it showed before. Only Text3 can be
// such a box: it is written at each point, and a survey may have none.
using BoxTexts = std::array<std::optional<std::string>, 12>;

// For a calculated survey of at least one section, as runCalculation or
// calculateSurvey leaves it: the boxes exactly as the run that entered it
// leaves them, whatever was typed on the way (values entered again, answers
// refused), for the run ends with the same values.
BoxTexts finishedScreen(const SectionSurvey& survey);
// The same for a survey of either kind; none when there is no finished run
// to show (a cut-and-fill survey, or no sections): the boxes are then empty.
std::optional<BoxTexts> finishedScreen(const Survey& survey);

}  // namespace section
