// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/survey_printouts.h"

#include "printout/cut_fill_sheet.h"
#include "printout/dayang.h"
#include "printout/page_frame.h"

namespace printout {

Sheet calculationSheet(const section::Survey& survey, const section::ProjectInfo& project) {
    if (const section::CutFillSurvey* lines = survey.cutFill())
        return framedSheet(cutFillSheet(*lines), project);
    return framedSheet(dayang(*survey.closedOutline()), project);
}

QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project) {
    return survey.visit([&](const auto& record) { return quantityTable(record, project); });
}

}  // namespace printout
