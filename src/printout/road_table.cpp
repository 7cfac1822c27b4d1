// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/road_table.h"

#include "section/any_survey.h"
#include "section/road_table.h"

namespace printout {

QuantityTable roadTable(const section::Survey& survey, const section::ProjectInfo& project,
                        int rowsPerPage) {
    QuantityTable table;
    table.title = "路基设计表";
    table.keyTitle = "桩号";
    table.landscape = true;
    table.project = project;
    for (const section::RoadTableColumn& column : section::kRoadTableColumns)
        table.columns.push_back({column.title, column.unit, false});
    const std::size_t perPage = std::size_t(rowsPerPage > 0 ? rowsPerPage : kRowsAcross);
    for (section::RoadTableRow& row : section::roadTableRows(survey)) {
        if (table.pages.empty() || table.pages.back().rows.size() == perPage)
            table.pages.emplace_back();
        table.pages.back().rows.push_back(
            {std::move(row.station), {row.cells.begin(), row.cells.end()}});
    }
    if (table.pages.empty()) table.pages.emplace_back();
    return table;
}

}  // namespace printout
