// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方数量表 as a value: one row per section (its station or number, its
// areas, the distance and volumes to the next section, the running totals),
// cut into pages of a fixed number of rows, each page with its 小计, the last
// with the 合计. A renderer rules it on paper, a writer puts it in a
// spreadsheet.
//
// Every figure is the sheet's own, written "0.000"; the subtotals, the total
// and the running totals are the exact sums of the figures as printed, so
// every column adds up on paper and in a spreadsheet to the last digit.

#include <string>
#include <vector>

#include "section/project_info.h"

namespace section {
class SectionSurvey;
struct CutFillSurvey;
}  // namespace section

namespace printout {

struct QuantityColumn {
    std::string title;    // "挖方面积"
    std::string unit;     // "m²"
    bool summed = false;  // added up in 小计 and 合计
    bool operator==(const QuantityColumn&) const = default;
};

struct QuantityRow {
    std::string key;                 // "K1+020.000", "3", "小计", "合计"
    std::vector<std::string> cells;  // one per column: "12.500", or empty
    bool operator==(const QuantityRow&) const = default;
};

struct QuantityPage {
    std::vector<QuantityRow> rows;
    QuantityRow subtotal;
    bool operator==(const QuantityPage&) const = default;
};

struct QuantityTable {
    std::string title = "土方数量表";
    std::string keyTitle;  // "桩号", or "断面" when the sections are numbered
    std::vector<QuantityColumn> columns;
    std::vector<QuantityPage> pages;  // at least one
    QuantityRow total;
    bool landscape = false;  // A4 across, for the columns of cut and fill
    section::ProjectInfo project;
    bool operator==(const QuantityTable&) const = default;
};

// Rows on a page: A4 upright, and across (fewer lines, wider columns).
inline constexpr int kRowsUpright = 40;
inline constexpr int kRowsAcross = 30;

// The table of a calculated survey; `rowsPerPage` 0 for the page's own.
QuantityTable quantityTable(const section::SectionSurvey& survey,
                            const section::ProjectInfo& project, int rowsPerPage = 0);
QuantityTable quantityTable(const section::CutFillSurvey& survey,
                            const section::ProjectInfo& project, int rowsPerPage = 0);

// A section without areas (its lines do not overlap) in the area cells.
inline constexpr std::string_view kNoArea = "无";

}  // namespace printout
