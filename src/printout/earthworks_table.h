// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 路基土石方数量计算表 of a calculated cut-and-fill survey as a table (see
// section/earthworks.h for its figures): a row per section in station order,
// each pair's volumes on the row of its end station; a page per block of
// rows with its 本页小计, a new page at each kilometre stake with the
// 本公里小计 and at each 构造物; the 合计 at the end.

#include "printout/quantity_table.h"

namespace section {
class Survey;
}

namespace printout {

// Rows on an A3 page across, under the two lines of the grouped heads.
inline constexpr int kRowsLarge = 36;

// Of a cut-and-fill survey (a closed outline's has no rows); `rowsPerPage`
// 0 for the page's own.
QuantityTable earthworksTable(const section::Survey& survey, const section::ProjectInfo& project,
                              int rowsPerPage = 0);

}  // namespace printout
