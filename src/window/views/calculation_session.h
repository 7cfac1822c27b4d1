// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One press of the calculate button with nothing typed ever lost: every
// answer goes to the journal as it is given; an unfinished journal is offered
// for resuming first; a finished calculation is kept as the last one, with
// `project`, the 工程信息 it is then held with.

#include "dialogue/run.h"
#include "section/project_info.h"

namespace window {

class PromptSurface;

struct SessionEnd {
    section::CalculationEnd end = section::CalculationEnd::Cancelled;
    // Finished and kept as the last calculation: nothing of it is lost unsaved.
    bool kept = false;
};
SessionEnd runCalculationSession(PromptSurface& form, section::SectionSurvey& record,
                                 const section::ProjectInfo& project);

}  // namespace window
