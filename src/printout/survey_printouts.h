// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The papers of a calculated survey of either kind: its calculation sheet and
// its 土方数量表, each laid out by its kind's own rules.

#include "printout/quantity_table.h"
#include "printout/sheet.h"
#include "section/any_survey.h"
#include "section/project_info.h"

namespace printout {

Sheet calculationSheet(const section::Survey& survey);
QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project,
                            int rowsPerPage = 0);

}  // namespace printout
