// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方数量表 as a value: one row per section (its station or number, its
// areas, the distance and volumes to the next section, the running totals),
// cut into pages of a fixed number of rows, each page with its 小计, the last
// with the 合计. A renderer rules it on paper, a writer puts it in a
// spreadsheet.
//
// Every figure is the sheet's own, written "0.000", rounded once from its
// exact value: the volumes' subtotals, total and running totals are their
// exact sums, so the 合计 is the calculation sheet's 总体积 to the last digit
// (a column of rounded rows may add up on paper to a thousandth or so
// apart; the footnote says so). The rows keep their unrounded values for a
// workbook, whose sums then come to the printed ones.
//
// Other tables of sections take the same shape (the 路基设计表): where no
// column adds up there is no 小计 and no 合计.

#include <optional>
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
    std::string unit;     // "m²", or empty for a column of text
    bool summed = false;  // added up in 小计 and 合计
    // A heading over the run of neighbouring columns of the same group
    // ("本桩利用(天然方)" over "Ⅰ" … "Ⅵ"); empty for a column on its own.
    std::string group{};
    bool operator==(const QuantityColumn&) const = default;
};

struct QuantityRow {
    std::string key;                 // "K1+020.000", "3", "小计", "合计"
    std::vector<std::string> cells;  // one per column: "12.500", or empty
    // The figures unrounded, one per column (nothing where a cell holds no
    // figure), for a workbook whose sums must come to the printed totals;
    // empty: the cells' own text is the value.
    std::vector<std::optional<double>> values{};
    bool operator==(const QuantityRow&) const = default;
};

struct QuantityPage {
    std::vector<QuantityRow> rows;
    QuantityRow subtotal;
    // 本公里小计, on the page that ends a kilometre of a table kept by kilometres.
    std::optional<QuantityRow> kilometre{};
    bool operator==(const QuantityPage&) const = default;
};

struct QuantityTable {
    std::string title = "土方数量表";
    std::string keyTitle;  // "桩号", or "断面" when the sections are numbered
    std::vector<QuantityColumn> columns;
    std::vector<QuantityPage> pages;  // at least one
    QuantityRow total;
    bool landscape = false;  // A4 across, for the columns of cut and fill
    bool large = false;      // A3 across, for the many columns of the earthworks forms
    // A line under the title ("体积按棱台法计算"), and one under the table
    // ("各行数值四舍五入…"); empty for none.
    std::string note{};
    std::string footnote{};
    section::ProjectInfo project;
    // Whether any column adds up: then the pages have their 小计 and the table its 合计.
    bool summed() const;
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

// A column's head on one line: "面积(m²)", or the title alone.
std::string columnHead(const QuantityColumn& column);
// The unit as the head's second line shows it: "(m²)", or nothing.
std::string unitHead(const QuantityColumn& column);

// The sum of unrounded figures, as the values they stand for (their
// shortest decimals) add up exactly, rounded once: a 小计 of a column other
// than the volumes.
std::string roundedSum(const std::vector<double>& values);

// The footnote of a table whose rows are rounded and whose sums are not.
inline constexpr std::string_view kRoundedRows =
    "注：各行数值四舍五入至 0.001，小计、合计由未取整的数值相加后取整";

// A section without areas (its lines do not overlap) in the area cells.
inline constexpr std::string_view kNoArea = "无";

}  // namespace printout
