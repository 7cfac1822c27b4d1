// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/design/design_rows.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <span>

#include "section/station.h"
#include "survey_file/cells.h"
#include "window/table/table_cells.h"

namespace window {
namespace {

using section::DesignTable;
using section::RoadSide;
using section::SlopeKind;
using survey_file::CellNumber;

enum class Kind { Station, Number, Optional, Side, SlopeKind, From, To };

// A column: what it holds and, for numbers, where in the row.
template <class Row>
struct Column {
    const char* title;
    Kind kind;
    double Row::*number = nullptr;
    std::optional<double> Row::*optional = nullptr;
};

using section::ChainBreak;
using section::DitchRow;
using section::GradePoint;
using section::PlateRow;
using section::SlopeRow;

constexpr Column<GradePoint> kProfile[] = {
    {"桩号", Kind::Station, &GradePoint::station},
    {"高程", Kind::Number, &GradePoint::elevation},
    {"竖曲线半径", Kind::Optional, nullptr, &GradePoint::radius},
};
constexpr Column<PlateRow> kPlates[] = {
    {"桩号", Kind::Station, &PlateRow::station},
    {"侧", Kind::Side},
    {"宽度", Kind::Number, &PlateRow::width},
    {"横坡", Kind::Number, &PlateRow::crossfall},
};
constexpr Column<SlopeRow> kSlopes[] = {
    {"起点桩号", Kind::From},
    {"终点桩号", Kind::To},
    {"侧", Kind::Side},
    {"类型", Kind::SlopeKind},
    {"坡率", Kind::Number, &SlopeRow::ratio},
    {"高度", Kind::Optional, nullptr, &SlopeRow::height},
    {"平台宽", Kind::Number, &SlopeRow::bermWidth},
    {"平台横坡", Kind::Number, &SlopeRow::bermCrossfall},
};
constexpr Column<DitchRow> kDitches[] = {
    {"起点桩号", Kind::From},
    {"终点桩号", Kind::To},
    {"侧", Kind::Side},
    {"内坡率", Kind::Number, &DitchRow::innerRatio},
    {"沟深", Kind::Number, &DitchRow::depth},
    {"沟底宽", Kind::Number, &DitchRow::bottomWidth},
    {"外坡率", Kind::Number, &DitchRow::outerRatio},
};
constexpr Column<ChainBreak> kBreaks[] = {
    {"断前桩号", Kind::Station, &ChainBreak::before},
    {"断后桩号", Kind::Station, &ChainBreak::after},
};

// `f(rows, columns)` on the table's rows, const with a const design.
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
            break;
    }
    return f(design.breaks, std::span(kBreaks));
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

template <class Row>
QString cell(const Row& row, const Column<Row>& column) {
    switch (column.kind) {
        case Kind::Station:
            return text(section::stationText(row.*column.number));
        case Kind::Number:
            return cellText(row.*column.number);
        case Kind::Optional:
            return (row.*column.optional) ? cellText(*(row.*column.optional)) : QString();
        case Kind::Side:
            if constexpr (requires { row.side; })
                return row.side == RoadSide::Left ? QStringLiteral("左") : QStringLiteral("右");
            break;
        case Kind::SlopeKind:
            if constexpr (requires { row.kind; })
                return row.kind == SlopeKind::Fill ? QStringLiteral("填") : QStringLiteral("挖");
            break;
        case Kind::From:
        case Kind::To:
            if constexpr (requires { row.range; }) {
                if (!row.range) return {};
                return text(section::stationText(column.kind == Kind::From ? row.range->from
                                                                           : row.range->to));
            }
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
    typed = survey_file::trimBlanks(typed);
    const auto number = [&](bool station, double& value) -> std::string {
        const char* what = station ? "桩号" : column.title;
        if (typed.empty()) return std::string("没有") + what;
        const CellNumber read =
            station ? survey_file::readStation(typed) : survey_file::readFloat(typed);
        if (read.fault != CellNumber::Fault::None)
            return survey_file::cellFault(typed, read.fault, what);
        value = read.value;
        return {};
    };
    double value = 0.0;
    std::string fault;
    switch (column.kind) {
        case Kind::Station:
        case Kind::Number:
            return number(column.kind == Kind::Station, row.*column.number);
        case Kind::Optional:
            if (typed.empty()) {
                row.*column.optional = std::nullopt;
            } else if (fault = number(false, value); fault.empty()) {
                row.*column.optional = value;
            }
            return fault;
        case Kind::Side:
            if constexpr (requires { row.side; })
                return choice(typed, row.side, {"左", RoadSide::Left}, {"右", RoadSide::Right},
                              "侧");
            break;
        case Kind::SlopeKind:
            if constexpr (requires { row.kind; })
                return choice(typed, row.kind, {"填", SlopeKind::Fill}, {"挖", SlopeKind::Cut},
                              "类型");
            break;
        case Kind::From:
        case Kind::To:
            if constexpr (requires { row.range; }) {
                // Either station cleared: the row holds everywhere again.
                if (typed.empty()) {
                    row.range.reset();
                    return {};
                }
                if (fault = number(true, value); !fault.empty()) return fault;
                if (!row.range) row.range = section::StationRange{value, value};
                (column.kind == Kind::From ? row.range->from : row.range->to) = value;
            }
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
    } else {
        if (!rows.empty()) return rows.back();
        if constexpr (std::is_same_v<Row, PlateRow>)
            return {.width = 3.75, .crossfall = -2.0};
        else if constexpr (std::is_same_v<Row, SlopeRow>)
            return {.ratio = 1.5};
        else
            return {.innerRatio = 1.0, .depth = 0.6, .bottomWidth = 0.4, .outerRatio = 1.0};
    }
}

}  // namespace

QString designTableName(DesignTable table) {
    static const char* const kNames[] = {"纵断面", "路幅", "边坡", "边沟", "断链"};
    return QString::fromUtf8(kNames[static_cast<int>(table)]);
}

int designColumnCount(DesignTable table) {
    const section::RoadDesign none;
    return onTable(none, table, [](auto&, auto columns) { return int(columns.size()); });
}

QString designColumnTitle(DesignTable table, int column) {
    const section::RoadDesign none;
    return onTable(none, table, [&](auto&, auto columns) {
        return QString::fromUtf8(columns[std::size_t(column)].title);
    });
}

int designRowCount(const section::RoadDesign& design, DesignTable table) {
    return onTable(design, table, [](auto& rows, auto) { return int(rows.size()); });
}

QString designCellText(const section::RoadDesign& design, DesignTable table, int row, int column) {
    return onTable(design, table, [&](auto& rows, auto columns) {
        if (row < 0 || row >= int(rows.size())) return QString();
        return cell(rows[std::size_t(row)], columns[std::size_t(column)]);
    });
}

std::string setDesignCell(section::RoadDesign& design, DesignTable table, int row, int column,
                          std::string_view typed) {
    return onTable(design, table, [&](auto& rows, auto columns) {
        if (row == int(rows.size())) rows.push_back(appended(rows));
        return read(rows[std::size_t(row)], columns[std::size_t(column)], typed);
    });
}

void insertDesignRow(section::RoadDesign& design, DesignTable table, int row) {
    onTable(design, table, [&](auto& rows, auto) {
        using Row = std::decay_t<decltype(rows.front())>;
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
    });
}

void removeDesignRows(section::RoadDesign& design, DesignTable table, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    onTable(design, table, [&](auto& held, auto) {
        for (const int row : rows)
            if (row >= 0 && row < int(held.size())) held.erase(held.begin() + row);
    });
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
