// SPDX-License-Identifier: GPL-3.0-or-later
// A block pasted into a table of sections of several lines, read as a table
// of one line reads one: on the table's point rows the cells replace values (the 线
// cells must name the row's own line, and the areas, being worked out, are
// passed over, so that rows copied from the table paste back). From the first
// row that lands on a line's empty row with a point, or on the empty row at
// the end, the rows add points: to that line, to the line a 线 cell names,
// and past the last section to a new section wherever the key cell differs.
// The whole block is one step 粘贴, or nothing when any cell is refused.

#include <map>
#include <optional>

#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "window/table/survey_table_model.h"

namespace window {
namespace {

using document::Column;
using document::Line;
using survey_file::ValueKind;

// The line and section the rows add points to, once they do.
struct Target {
    int section = 0;
    Line line;
};

// The one of `lines` whose name a 线 cell holds.
std::optional<Line> lineNamed(const std::vector<Line>& lines, const std::string& name) {
    for (Line line : lines)
        if (section::lineName(line) == name) return line;
    return std::nullopt;
}

}  // namespace

SurveyTableModel::Pasted SurveyTableModel::readOnLines(int row0, int column0,
                                                       const QString& text) const {
    const bool stations = survey().stationsEntered();
    const int n = survey().sectionCount();
    Pasted pasted;
    std::vector<document::Cell>& cells = pasted.cells;
    document::SurveyDocument::Growth& growth = pasted.growth;
    std::optional<Target> target;
    // Section-wide cells, and the points of a section just begun, go with its first line.
    const Line first = shape_.lines.front();
    // The points added to each line of the survey's own sections.
    std::map<std::pair<int, Line>, int> added;
    std::map<int, BlockCell> spacingAt;  // the cell of each section's spacing
    // Once the rows add points, a row's own cells no longer say where they go.
    const auto refuse = [&](const BlockCell& cell, const QString& why) {
        return PasteRefusal{
            (target ? tablePlace(cell.row, cell.column) : cellName(cell.row, cell.column)) + why};
    };
    const auto reading = [&](const BlockCell& cell, ValueKind kind) {
        survey_file::CellReading read = survey_file::readCell(cell.text, kind);
        if (!read.fault.empty()) throw refuse(cell, QString::fromStdString(read.fault));
        return read;
    };
    const auto value = [&](const BlockCell& cell, ValueKind kind) {
        return reading(cell, kind).value;
    };
    const auto sections = [&] { return n + static_cast<int>(growth.sections.size()); };
    // A section's key: its number, or its station and letters.
    const auto keyOf = [&](int i) -> std::pair<double, std::string> {
        if (!stations) return {double(i), {}};
        if (i <= n) return {survey().station(i), survey().stationPrefix(i)};
        const document::SectionRow& row = growth.sections[i - n - 1];
        return {row.station, row.stationPrefix};
    };
    const auto newSection = [&](const std::pair<double, std::string>& key) {
        growth.sections.push_back({});
        if (stations) {
            growth.sections.back().station = key.first;
            growth.sections.back().stationPrefix = key.second;
        }
        target = Target{sections(), first};
    };
    const auto spacing = [&](int i, const BlockCell& cell) {
        const double given = value(cell, ValueKind::Spacing);
        if (spacingAt.contains(i) && value(spacingAt[i], ValueKind::Spacing) != given)
            throw refuse(cell,
                         QString::fromStdString(survey_file::quotedCell(cell.text)) +
                             QStringLiteral("与这个断面已有的间距不同，每个断面只能有一个间距"));
        spacingAt[i] = cell;
        if (i < n) cells.push_back({i, 0, Column::Spacing, given, first});
        if (i > n) growth.sections[i - n - 1].spacing = given;
    };
    const auto block = pastedBlock(text);
    for (std::size_t r = 0; r < block.size(); ++r) {
        const int row = row0 + static_cast<int>(r);
        std::map<Field, BlockCell> at;
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            BlockCell cell{row, column0 + static_cast<int>(c),
                           std::string(survey_file::trimBlanks(block[r][c]))};
            if (cell.text.empty()) continue;
            if (cell.column >= columnCount())
                throw PasteRefusal{tablePlace(row, cell.column) +
                                   QString::fromStdString(survey_file::quotedCell(cell.text)) +
                                   QStringLiteral("在表格之外，是多余的数据")};
            at[field(cell.column)] = std::move(cell);
        }
        const bool point = at.contains(Elevation) || at.contains(Offset);
        const Place place = target ? Place{} : this->place(row);
        if (!target && place.section > 0 && (place.point > 0 || !point)) {
            // On the table's own row.
            const int i = place.section;
            if (at.contains(Key)) {
                if (stations) {
                    const survey_file::CellReading read = reading(at[Key], ValueKind::Station);
                    cells.push_back({i, 0, Column::Station, read.value, place.line, read.prefix});
                } else if (runtime::readNumber(at[Key].text) != std::optional<double>(i))
                    throw refuse(at[Key], QString::fromStdString(
                                              survey_file::notNextSection(at[Key].text, i)));
            }
            if (at.contains(LineName) && place.point > 0 &&
                lineNamed(shape_.lines, at[LineName].text) != place.line)
                throw refuse(at[LineName],
                             QString::fromStdString(survey_file::quotedCell(at[LineName].text)) +
                                 QStringLiteral("不是这一行的线"));
            for (const Field f : {Elevation, Offset})
                if (at.contains(f))
                    cells.push_back(
                        {i, place.point, f == Elevation ? Column::Elevation : Column::Offset,
                         value(at[f], f == Elevation ? ValueKind::Elevation : ValueKind::Offset),
                         place.line});
            if (at.contains(Spacing)) {
                if (!(flags(index(row, at[Spacing].column)) & Qt::ItemIsEditable))
                    throw refuse(at[Spacing],
                                 QStringLiteral("只在断面的第一行，最后一个断面没有间距"));
                spacing(i, at[Spacing]);
            }
            continue;
        }
        if (at.empty()) continue;
        // The rows add points from here on.
        if (!target && place.section > 0) target = Target{place.section, place.line};
        const int last = sections();
        if (at.contains(Key)) {
            const int i = target ? target->section : last;
            std::pair<double, std::string> key;
            if (stations) {
                // In metres, with the letters of the section the rows are on.
                const survey_file::CellReading read = reading(at[Key], ValueKind::Station);
                key = {read.value, read.prefix.value_or(i > 0 ? keyOf(i).second : std::string())};
            } else {
                const std::optional<double> number = runtime::readNumber(at[Key].text);
                if (number != std::optional<double>(i) && number != std::optional<double>(last + 1))
                    throw refuse(at[Key], QString::fromStdString(
                                              survey_file::notNextSection(at[Key].text, last + 1)));
                key = {*number, {}};
            }
            if (i == 0 || key != keyOf(i)) {
                if (i < last)
                    throw refuse(
                        at[Key],
                        QStringLiteral("与这个断面的%1不同：新的断面请粘贴在最后一行")
                            .arg(stations ? QStringLiteral("桩号") : QStringLiteral("编号")));
                newSection(key);
            } else if (!target) {
                target = Target{i, first};
            }
        } else if (!target) {
            // No key on the empty row at the end: the last section goes on.
            if (last == 0) newSection({});
            target = Target{sections(), first};
        }
        if (at.contains(LineName)) {
            const std::optional<Line> line = lineNamed(shape_.lines, at[LineName].text);
            if (!line)
                throw refuse(at[LineName],
                             QString::fromStdString(survey_file::quotedCell(at[LineName].text)) +
                                 QStringLiteral("不是有效的线，应为“地面线”或“设计线”"));
            target->line = *line;
        }
        if (point) {
            if (!at.contains(Elevation))
                throw refuse({row, column(Elevation), {}}, QStringLiteral("没有高程"));
            if (!at.contains(Offset))
                throw refuse({row, column(Offset), {}}, QStringLiteral("没有距离"));
            const section::Point next{value(at[Elevation], ValueKind::Elevation),
                                      value(at[Offset], ValueKind::Offset)};
            const int i = target->section;
            if (i > n) {
                document::SectionRow& fresh = growth.sections[i - n - 1];
                (target->line == first ? fresh.points : fresh.design).push_back(next);
            } else {
                const int j = points({i, 0, target->line}) + ++added[{i, target->line}];
                cells.push_back({i, j, Column::Elevation, next.elevation, target->line});
                cells.push_back({i, j, Column::Offset, next.offset, target->line});
            }
        }
        if (at.contains(Spacing)) spacing(target->section, at[Spacing]);
    }
    if (const auto last = spacingAt.find(sections()); last != spacingAt.end())
        throw refuse(last->second, QStringLiteral("：最后一个断面后面没有断面，不应有间距"));
    if (spacingAt.contains(n)) growth.spacing = value(spacingAt[n], ValueKind::Spacing);
    return pasted;
}

}  // namespace window
