// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the road design file's tables, as its reader, its writer and
// its messages name them.

#include <span>
#include <string>
#include <string_view>

#include "section/road_design.h"

namespace survey_file {

// What a column's cells hold: a station, a number, a number that may be
// empty (none), one whose empty cell is 0, a word of two (左/右, 填/挖), or
// any text (a name).
enum class CellKind { Station, Number, Optional, ZeroIfEmpty, Side, Slope, Text };

struct DesignColumn {
    std::string_view name;
    CellKind kind;
};

// The columns of a table's rows, without the range columns.
std::span<const DesignColumn> columnsOf(section::DesignTable table);
// 起点桩号 and 终点桩号: the first two columns of a row with a range.
std::span<const DesignColumn> rangeColumns();
// Whether rows of the table may hold within a station range (边坡, 边沟);
// the tables whose every row has one (土石分类, 构造物) count it among their
// own columns.
bool takesRange(section::DesignTable table);
// Whether the table is one row of values (换算系数, 运距) rather than a list.
bool singleRow(section::DesignTable table);
// The name of column `column` (0-based) of a row with or without a range;
// empty beyond the last.
std::string_view columnName(section::DesignTable table, bool ranged, int column);
// The header row of such a row's table, as written: "桩号,侧,宽度,横坡".
std::string headerText(section::DesignTable table, bool ranged);

// 左 or 右, 填 or 挖.
std::string_view sideWord(section::RoadSide side);
std::string_view slopeWord(section::SlopeKind kind);

}  // namespace survey_file
