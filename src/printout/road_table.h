// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 路基设计表 as a ruled table of the same shape as the 土方数量表, so
// that the same renderer rules it on paper and the same writer puts it in a
// workbook: the rows of section/road_table.h under the 工程信息, A4 across,
// cut into pages; nothing in it adds up, so it has no 小计 nor 合计.

#include "printout/quantity_table.h"

namespace section {
class Survey;
}

namespace printout {

// `rowsPerPage` 0 for the page's own.
QuantityTable roadTable(const section::Survey& survey, const section::ProjectInfo& project,
                        int rowsPerPage = 0);

}  // namespace printout
