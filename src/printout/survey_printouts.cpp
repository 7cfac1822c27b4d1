// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/survey_printouts.h"

#include "printout/cut_fill_sheet.h"
#include "printout/dayang.h"

namespace printout {

Sheet calculationSheet(const section::Survey& survey) {
    if (const section::CutFillSurvey* lines = survey.cutFill()) return cutFillSheet(*lines);
    return dayang(*survey.closedOutline());
}

QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project,
                            int rowsPerPage) {
    return survey.visit(
        [&](const auto& record) { return quantityTable(record, project, rowsPerPage); });
}

}  // namespace printout
