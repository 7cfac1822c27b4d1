// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/design/design_rows.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <span>

#include "section/station.h"
#include "survey_file/cells.h"
#include "survey_file/road_design_columns.h"
#include "survey_file/road_design_file.h"
#include "window/table/table_cells.h"

namespace window {
namespace {

using section::DesignTable;
using section::RoadSide;
using section::SlopeKind;
using survey_file::CellNumber;

// Where a column's value is in a row, in the order of the file's columns
// (without the range's): a number, an optional number, one of the row's six
// figures, or an end of the range every row of the table has; sides, kinds,
// optional ranges and names are found by their names.
template <class Row>
struct Field {
    double Row::*number = nullptr;
    std::optional<double> Row::*optional = nullptr;
    int figure = -1;  // Ⅰ–Ⅵ: 0–5
    int range = -1;   // 0 起点桩号, 1 终点桩号
};

using section::ChainBreak;
using section::ClassFigures;
using section::DitchRow;
using section::GradePoint;
using section::HaulDistances;
using section::PlateRow;
using section::SlopeRow;
using section::SoilClassRow;
using section::StructureRow;

constexpr Field<GradePoint> kProfile[] = {
    {&GradePoint::station}, {&GradePoint::elevation}, {nullptr, &GradePoint::radius}};
constexpr Field<PlateRow> kPlates[] = {
    {&PlateRow::station}, {}, {&PlateRow::width}, {&PlateRow::crossfall}};
constexpr Field<SlopeRow> kSlopes[] = {{},
                                       {},
                                       {&SlopeRow::ratio},
                                       {nullptr, &SlopeRow::height},
                                       {&SlopeRow::bermWidth},
                                       {&SlopeRow::bermCrossfall}};
constexpr Field<DitchRow> kDitches[] = {{},
                                        {&DitchRow::innerRatio},
                                        {&DitchRow::depth},
                                        {&DitchRow::bottomWidth},
                                        {&DitchRow::outerRatio}};
constexpr Field<ChainBreak> kBreaks[] = {{&ChainBreak::before}, {&ChainBreak::after}};

template <class Row>
constexpr std::array<Field<Row>, section::kSoilClasses> kSix{
    {{.figure = 0}, {.figure = 1}, {.figure = 2}, {.figure = 3}, {.figure = 4}, {.figure = 5}}};
constexpr std::array<Field<SoilClassRow>, 8> kSoilClasses{{{.range = 0},
                                                           {.range = 1},
                                                           kSix<SoilClassRow>[0],
                                                           kSix<SoilClassRow>[1],
                                                           kSix<SoilClassRow>[2],
                                                           kSix<SoilClassRow>[3],
                                                           kSix<SoilClassRow>[4],
                                                           kSix<SoilClassRow>[5]}};
constexpr Field<StructureRow> kStructures[] = {{.range = 0}, {.range = 1}, {}};
constexpr Field<HaulDistances> kHaul[] = {{&HaulDistances::freeHaul},
                                          {nullptr, &HaulDistances::economicHaul}};

// One of the editor's columns: the range's (the editor shows them on every
// row of a table that takes one), or one of the row's own.
template <class Row>
struct Column {
    std::string_view name;
    survey_file::CellKind kind;
    int range = -1;  // 0 起点桩号, 1 终点桩号
    Field<Row> field{};
};

template <class Row, std::size_t N>
Column<Row> columnAt(DesignTable table, std::span<const Field<Row>, N> fields, int column) {
    const bool ranged = survey_file::takesRange(table);
    const int shift = ranged ? int(survey_file::rangeColumns().size()) : 0;
    if (column < shift) {
        const survey_file::DesignColumn& c = survey_file::rangeColumns()[std::size_t(column)];
        return {c.name, c.kind, column};
    }
    const survey_file::DesignColumn& c = survey_file::columnsOf(table)[std::size_t(column - shift)];
    const Field<Row>& field = fields[std::size_t(column - shift)];
    return {c.name, c.kind, field.range, field};
}

// The value of a number column: a field of the row or one of its six figures.
template <class Row>
auto& numberOf(Row& row, const Field<std::remove_const_t<Row>>& field) {
    if constexpr (std::is_same_v<std::remove_const_t<Row>, ClassFigures>)
        return row[std::size_t(field.figure)];
    else if constexpr (requires { row.percent; })
        return row.percent[std::size_t(field.figure)];
    else
        return row.*field.number;
}

// The rows of the tables of one row.
template <class Row>
constexpr bool kOneRow = std::is_same_v<Row, ClassFigures> || std::is_same_v<Row, HaulDistances>;

// A table of one row (换算系数, 运距) as a list of it, showing `shown` (the
// defaults) when the design has none; a changed row is put back, the row
// taken out leaves the defaults.
template <class Held, class F>
decltype(auto) onOne(std::optional<Held>& held, const Held& shown, F&& f) {
    std::vector<Held> rows{held.value_or(shown)};
    const auto putBack = [&] {
        if (rows.empty())
            held.reset();
        else if (held || rows.front() != shown)
            held = rows.front();
    };
    if constexpr (std::is_void_v<decltype(f(rows))>) {
        f(rows);
        putBack();
    } else {
        decltype(auto) result = f(rows);
        putBack();
        return result;
    }
}

template <class Held, class F>
decltype(auto) onOne(const std::optional<Held>& held, const Held& shown, F&& f) {
    const std::vector<Held> rows{held.value_or(shown)};
    return f(rows);
}

// `f(rows, fields)` on the table's rows, const with a const design.
template <class Design, class F>
decltype(auto) onTable(Design& design, DesignTable table, F&& f) {
    switch (table) {
        case DesignTable::Profile:
            return f(design.profile, std::span(kProfile));
        case DesignTable::Plates:
            return f(design.plates, std::span(kPlates));
        case DesignTable::Slopes:
            return f(design.slopes, std::span(kSlopes));
        case DesignTable::Ditches:
            return f(design.ditches, std::span(kDitches));
        case DesignTable::Breaks:
            return f(design.breaks, std::span(kBreaks));
        case DesignTable::SoilClasses:
            return f(design.soilClasses, std::span(kSoilClasses));
        case DesignTable::Factors:
            return onOne(design.factors, section::kDefaultFactors,
                         [&](auto& rows) { return f(rows, std::span(kSix<ClassFigures>)); });
        case DesignTable::Structures:
            return f(design.structures, std::span(kStructures));
        case DesignTable::Haul:
            break;
    }
    return onOne(design.haul, HaulDistances{},
                 [&](auto& rows) { return f(rows, std::span(kHaul)); });
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// The row's range, nothing for a row of 边坡 or 边沟 that holds everywhere.
template <class Row>
auto* rangeOf(Row& row) {
    if constexpr (requires { row.range.has_value(); })
        return row.range ? &*row.range : nullptr;
    else
        return &row.range;
}

template <class Row>
QString cell(const Row& row, const Column<Row>& column) {
    using enum survey_file::CellKind;
    if constexpr (requires { row.range; }) {
        if (column.range >= 0) {
            const section::StationRange* range = rangeOf(row);
            if (!range) return {};
            return text(section::stationText(column.range == 0 ? range->from : range->to));
        }
    }
    switch (column.kind) {
        case Station:
            return text(section::stationText(numberOf(row, column.field)));
        case Number:
        case ZeroIfEmpty:
            return cellText(numberOf(row, column.field));
        case Text:
            if constexpr (requires { row.name; }) return text(row.name);
            break;
        case Optional:
            return (row.*column.field.optional) ? cellText(*(row.*column.field.optional))
                                                : QString();
        case Side:
            if constexpr (requires { row.side; })
                return QString::fromUtf8(survey_file::sideWord(row.side));
            break;
        case Slope:
            if constexpr (requires { row.kind; })
                return QString::fromUtf8(survey_file::slopeWord(row.kind));
            break;
    }
    return {};
}

// One of two words (左/右, 填/挖), or why not.
template <class Value>
std::string choice(std::string_view typed, Value& value, std::pair<const char*, Value> first,
                   std::pair<const char*, Value> second, const char* what) {
    if (typed == first.first) {
        value = first.second;
    } else if (typed == second.first) {
        value = second.second;
    } else {
        return (typed.empty() ? std::string("没有") + what
                              : survey_file::quotedCell(typed) + "不是有效的" + what) +
               "：应为“" + first.first + "”或“" + second.first + "”";
    }
    return {};
}

template <class Row>
std::string read(Row& row, const Column<Row>& column, std::string_view typed) {
    using enum survey_file::CellKind;
    typed = survey_file::trimBlanks(typed);
    const std::string what(column.name);
    const auto number = [&](double& value) -> std::string {
        if (typed.empty()) return "没有" + what;
        const CellNumber read = column.kind == Station ? survey_file::readStation(typed)
                                                       : survey_file::readFloat(typed);
        if (read.fault != CellNumber::Fault::None)
            return survey_file::cellFault(typed, read.fault,
                                          column.kind == Station ? "桩号" : what);
        value = read.value;
        return {};
    };
    double value = 0.0;
    std::string fault;
    if constexpr (requires { row.range.has_value(); }) {
        if (column.range >= 0) {
            // Either station cleared: the row holds everywhere again.
            if (typed.empty()) {
                row.range.reset();
                return {};
            }
            if (fault = number(value); !fault.empty()) return fault;
            if (!row.range) row.range = section::StationRange{value, value};
            (column.range == 0 ? row.range->from : row.range->to) = value;
            return {};
        }
    } else if constexpr (requires { row.range; }) {
        if (column.range >= 0) {
            if (fault = number(value); !fault.empty()) return fault;
            // A start typed past the end moves the end along: the end is typed next.
            if (column.range == 0 && value > row.range.to) row.range.to = value;
            (column.range == 0 ? row.range.from : row.range.to) = value;
            return {};
        }
    }
    switch (column.kind) {
        case ZeroIfEmpty:
            if (typed.empty()) {
                numberOf(row, column.field) = 0.0;
                return {};
            }
            [[fallthrough]];
        case Station:
        case Number:
            return number(numberOf(row, column.field));
        case Text:
            if constexpr (requires { row.name; }) row.name = std::string(typed);
            return {};
        case Optional:
            if (typed.empty()) {
                row.*column.field.optional = std::nullopt;
            } else if (fault = number(value); fault.empty()) {
                row.*column.field.optional = value;
            }
            return fault;
        case Side:
            if constexpr (requires { row.side; })
                return choice(typed, row.side, {"左", RoadSide::Left}, {"右", RoadSide::Right},
                              "侧");
            break;
        case Slope:
            if constexpr (requires { row.kind; })
                return choice(typed, row.kind, {"填", SlopeKind::Fill}, {"挖", SlopeKind::Cut},
                              "类型");
            break;
    }
    return {};
}

// The row a new one starts from: a copy of the last, or a first one that
// reads as the design drawings usually start.
template <class Row>
Row appended(const std::vector<Row>& rows) {
    if constexpr (std::is_same_v<Row, GradePoint>) {
        if (rows.empty()) return {};
        return {rows.back().station + 100.0, rows.back().elevation, std::nullopt};
    } else if constexpr (std::is_same_v<Row, ChainBreak>) {
        if (rows.empty()) return {};
        return {rows.back().before + 100.0, rows.back().after + 100.0};
    } else if constexpr (requires { rows.back().range.to; }) {
        // A range goes on from the last one's end, so that it overlaps none;
        // classes all 普通土 until typed, so that the shares add up.
        Row next{};
        if constexpr (std::is_same_v<Row, SoilClassRow>) next.percent[1] = 100.0;
        if (!rows.empty()) next = rows.back();
        const double start = rows.empty() ? 0.0 : rows.back().range.to;
        next.range = {start, start + 100.0};
        return next;
    } else {
        if (!rows.empty()) return rows.back();
        if constexpr (std::is_same_v<Row, PlateRow>)
            return {.width = 3.75, .crossfall = -2.0};
        else if constexpr (std::is_same_v<Row, SlopeRow>)
            return {.ratio = 1.5};
        else if constexpr (std::is_same_v<Row, DitchRow>)
            return {.innerRatio = 1.0, .depth = 0.6, .bottomWidth = 0.4, .outerRatio = 1.0};
        else
            return {};  // a table of one row has its row already
    }
}

// A row put in after `row`, as insertDesignRow says.
template <class Row>
void insertAfter(std::vector<Row>& rows, int row) {
    if (row < 0 || row >= int(rows.size())) {
        rows.push_back(appended(rows));
        return;
    }
    Row copy = rows[std::size_t(row)];
    if constexpr (std::is_same_v<Row, GradePoint>) {
        // Halfway to the next 变坡点, on the grade between them: the line stays as it was.
        copy.radius.reset();
        if (row + 1 < int(rows.size())) {
            const GradePoint& next = rows[std::size_t(row) + 1];
            copy.station = (copy.station + next.station) / 2.0;
            copy.elevation = (copy.elevation + next.elevation) / 2.0;
        } else {
            copy.station += 100.0;
        }
    }
    rows.insert(rows.begin() + row + 1, copy);
}

}  // namespace

QString designTableName(DesignTable table) {
    // The file's title without its brackets.
    const std::string_view title = survey_file::tableTitle(table);
    return QString::fromUtf8(title.data(), qsizetype(title.size())).mid(1).chopped(1);
}

int designColumnCount(DesignTable table) {
    return int(survey_file::columnsOf(table).size() +
               (survey_file::takesRange(table) ? survey_file::rangeColumns().size() : 0));
}

QString designColumnTitle(DesignTable table, int column) {
    const std::string_view name =
        survey_file::columnName(table, survey_file::takesRange(table), column);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

bool designColumnIsWord(DesignTable table, int column) {
    const section::RoadDesign none;
    return onTable(none, table, [&](auto&, auto fields) {
        const survey_file::CellKind kind = columnAt(table, fields, column).kind;
        return kind == survey_file::CellKind::Side || kind == survey_file::CellKind::Slope ||
               kind == survey_file::CellKind::Text;
    });
}

int designRowCount(const section::RoadDesign& design, DesignTable table) {
    return onTable(design, table, [](auto& rows, auto) { return int(rows.size()); });
}

QString designCellText(const section::RoadDesign& design, DesignTable table, int row, int column) {
    return onTable(design, table, [&](auto& rows, auto columns) {
        if (row < 0 || row >= int(rows.size())) return QString();
        return cell(rows[std::size_t(row)], columnAt(table, columns, column));
    });
}

std::string setDesignCell(section::RoadDesign& design, DesignTable table, int row, int column,
                          std::string_view typed) {
    if (survey_file::singleRow(table) && row != 0)
        return designTableName(table).toStdString() + "表只有一行";
    return onTable(design, table, [&](auto& rows, auto columns) {
        if (row == int(rows.size())) rows.push_back(appended(rows));
        return read(rows[std::size_t(row)], columnAt(table, columns, column), typed);
    });
}

void insertDesignRow(section::RoadDesign& design, DesignTable table, int row) {
    onTable(design, table, [&](auto& rows, auto) {
        if constexpr (!kOneRow<std::decay_t<decltype(rows.front())>>) insertAfter(rows, row);
    });
}

void removeDesignRows(section::RoadDesign& design, DesignTable table, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    onTable(design, table, [&](auto& held, auto) {
        using Row = std::decay_t<decltype(held.front())>;
        for (const int row : rows) {
            if (row < 0 || row >= int(held.size())) continue;
            // The one row taken out: no rows, the defaults.
            if constexpr (kOneRow<Row>)
                held.clear();
            else
                held.erase(held.begin() + row);
        }
    });
}

bool designShowsDefaults(const section::RoadDesign& design, DesignTable table) {
    return (table == DesignTable::Factors && !design.factors) ||
           (table == DesignTable::Haul && !design.haul);
}

int faultColumn(const section::RoadDesign& design, const section::DesignFault& fault) {
    if (fault.column < 0) return -1;
    const auto shift = [&](const auto& rows) {
        const bool ranged = fault.row >= 0 && fault.row < int(rows.size()) &&
                            rows[std::size_t(fault.row)].range.has_value();
        return ranged ? fault.column : fault.column + 2;
    };
    if (fault.table == DesignTable::Slopes) return shift(design.slopes);
    if (fault.table == DesignTable::Ditches) return shift(design.ditches);
    return fault.column;
}

}  // namespace window
