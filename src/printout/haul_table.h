// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方调配表 of a calculated cut-and-fill survey (see section/haul.h for
// its figures): a row per 调配段 with the stations the cut and the fill run
// between, its volume, average haul, haul moment and overhaul; then a row per
// run of 弃方 and of 借方; the 合计 at the end. The 运距 used, and the volume
// method when it is not the default, are written under the title.
//
// Each figure is rounded once, from the unrounded one kept in the row's
// values; the 小计 and 合计 are the unrounded sums rounded.

#include "printout/quantity_table.h"

namespace section {
class Survey;
struct Earthworks;
struct Haul;
}  // namespace section

namespace printout {

// Of a cut-and-fill survey (a closed outline gives one empty page);
// `rowsPerPage` 0 for the page's own.
QuantityTable haulTable(const section::Survey& survey, const section::ProjectInfo& project,
                        int rowsPerPage = 0);
// The same from the survey's figures already worked out.
QuantityTable haulTable(const section::Survey& survey, const section::Earthworks& earthworks,
                        const section::Haul& haul, const section::ProjectInfo& project,
                        int rowsPerPage = 0);

}  // namespace printout
