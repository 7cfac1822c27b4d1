// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The road design's tables as the editor shows them: their columns,
// titled as the design file's headers, the text of each cell, and a typed or
// pasted cell read into a design. Nothing here is kept: the editor reads the
// document's design, changes a copy here and hands it back as one step.

#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "section/road_design.h"

namespace window {

inline constexpr std::array<section::DesignTable, section::kDesignTableCount> kDesignTables{
    section::DesignTable::Profile, section::DesignTable::Plates,
    section::DesignTable::Slopes,  section::DesignTable::Ditches,
    section::DesignTable::Breaks,  section::DesignTable::SoilClasses,
    section::DesignTable::Factors, section::DesignTable::Structures,
    section::DesignTable::Haul};

// 纵断面, 路幅, 边坡, 边沟, 断链, 土石分类, 换算系数, 构造物, 运距.
QString designTableName(section::DesignTable table);
int designColumnCount(section::DesignTable table);
// As the file's header: 桩号, 侧, 坡率 …; 边坡 and 边沟 always show their
// range columns (起点桩号, 终点桩号), empty for rows that hold everywhere.
QString designColumnTitle(section::DesignTable table, int column);

// Whether a column holds a word (侧 左/右, 类型 填/挖, 名称) rather than a number.
bool designColumnIsWord(section::DesignTable table, int column);

// A table of one row (换算系数, 运距) always has it: the defaults when the
// design gives none.
int designRowCount(const section::RoadDesign& design, section::DesignTable table);
// Whether the table's one row shows the defaults, the design giving none.
bool designShowsDefaults(const section::RoadDesign& design, section::DesignTable table);
// Stations in K notation, sides 左/右, kinds 填/挖, an empty optional value empty.
QString designCellText(const section::RoadDesign& design, section::DesignTable table, int row,
                       int column);

// `text` read into the cell at (row, column); a row one past the last is
// added first (a copy of the last, a 变坡点 or 断链 100 m further on, a range
// from the last one's end). Empty when read, else why in the file's words,
// without the place.
std::string setDesignCell(section::RoadDesign& design, section::DesignTable table, int row,
                          int column, std::string_view text);
// A row put in after `row`: a copy of it, or for a 变坡点 one halfway to the
// next; none in a table of one row. Taking that row out leaves the defaults.
void insertDesignRow(section::RoadDesign& design, section::DesignTable table, int row);
void removeDesignRows(section::RoadDesign& design, section::DesignTable table,
                      std::vector<int> rows);

// The editor's column of the cell a fault names (its columns count the
// range columns only on rows with a range), -1 for the whole row.
int faultColumn(const section::RoadDesign& design, const section::DesignFault& fault);

}  // namespace window
