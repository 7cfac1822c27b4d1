// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet: title, legend, every section's points, then the
// spacings, areas, volumes and the total.

#include "printout/sheet_writer.h"

namespace section {
class SectionSurvey;
}

namespace printout {

// The sheet of `survey`. Only reads the record. Sections are named by their
// stations when stations were entered, and numbered otherwise, in the section
// headers and the area lines. With `figureOf`, each section's drawing goes
// beside its header and points.
Sheet dayang(const section::SectionSurvey& survey, FigureMaker figureOf = {});

}  // namespace printout
