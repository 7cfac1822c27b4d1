// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/survey_printouts.h"

#include "printout/chain_breaks.h"
#include "printout/cut_fill_sheet.h"
#include "printout/dayang.h"
#include "printout/page_frame.h"

namespace printout {

Sheet calculationSheet(const section::Survey& survey, const section::ProjectInfo& project) {
    Sheet sheet =
        survey.cutFill() ? cutFillSheet(*survey.cutFill()) : dayang(*survey.closedOutline());
    listChainBreaks(sheet, survey.roadDesign().breaks);
    return framedSheet(std::move(sheet), project);
}

QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project) {
    QuantityTable table =
        survey.visit([&](const auto& record) { return quantityTable(record, project); });
    table.note = section::methodNote(survey.volumeMethod());
    return table;
}

}  // namespace printout
