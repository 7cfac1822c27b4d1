// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方数量表 as an Excel workbook (.xlsx) that Excel, WPS and LibreOffice
// open: the title, its note and the rows of 工程信息, the column heads
// (frozen; under their groups' merged headings), one row per section with
// its figures as numbers shown "0.000" (unrounded where the table keeps
// them, so that sums come to the printed totals), a 合计 row of SUM formulas
// over the columns that add up, and the footnote. The 路基设计表, of the
// same shape, has no column that adds up and so no 合计.

#include <string>

namespace printout {
struct QuantityTable;
}

namespace spreadsheet {

struct WorkbookWritten {
    bool ok = false;
    int errorNumber = 0;  // the system's reason when it gave one, else 0
    // What the table holds that no workbook cell can (a 工程信息 value longer
    // than a cell holds), or which cell the library did not take; the file is
    // then no workbook to keep.
    std::string refused{};
};

// As many characters as one cell of a workbook holds.
inline constexpr std::size_t kMostCellCharacters = 32767;

// Writes the workbook to `path`, a new or emptied file (the library writes
// only to a file by name); its own temporary files go beside it. The
// library's own lines on standard error are kept back: the result says
// what went wrong.
WorkbookWritten writeQuantityWorkbook(const printout::QuantityTable& table,
                                      const std::string& path);

}  // namespace spreadsheet
