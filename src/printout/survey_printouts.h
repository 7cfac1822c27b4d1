// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printouts of a calculated survey of either kind, for those that print
// or write them without asking which kind it is.

#include "printout/quantity_table.h"
#include "printout/sheet.h"
#include "section/any_survey.h"
#include "section/project_info.h"
#include "section/reading_report.h"

namespace printout {

// Whether the calculation sheet carries a small drawing of each section
// beside its points; without, it is the sheet as it always was.
enum class SectionDrawings { Without, Beside };

// The calculation sheet (dayang for closed outlines, the cut-and-fill sheet
// for ground and design lines) framed with the 工程信息; under its title a
// line for each thing the reading of its file changed (a file in feet
// converted to metres), so that nobody takes its figures for feet.
Sheet calculationSheet(const section::Survey& survey, const section::ProjectInfo& project,
                       SectionDrawings drawings = SectionDrawings::Without,
                       const section::ReadingReport& reading = {});

// The 土方数量表 with its 工程信息.
QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project);

}  // namespace printout
