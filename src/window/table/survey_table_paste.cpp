// SPDX-License-Identifier: GPL-3.0-or-later
// A block pasted into a table of sections of one line, read as the file
// reader reads its rows:
// on the table's rows the cells replace values; past them the rows go on
// from the last section, a key cell that differs starting a new section.
// The whole block is one step, or nothing when any cell is refused.

#include <map>
#include <optional>

#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "window/table/survey_table_model.h"

namespace window {
namespace {

using survey_file::ValueKind;

[[noreturn]] void refuse(const BlockCell& cell, const std::string& what) {
    throw PasteRefusal{tablePlace(cell.row, cell.column) + QString::fromStdString(what)};
}

survey_file::CellReading reading(const BlockCell& cell, ValueKind kind) {
    survey_file::CellReading read = survey_file::readCell(cell.text, kind);
    if (!read.fault.empty()) refuse(cell, read.fault);
    return read;
}

double value(const BlockCell& cell, ValueKind kind) {
    return reading(cell, kind).value;
}

}  // namespace

SurveyTableModel::Pasted SurveyTableModel::readOnOneLine(int row0, int column0,
                                                         const QString& text) const {
    const bool stations = survey().stationsEntered();
    const int n = survey().sectionCount();
    const int columns = columnCount();
    Pasted pasted;
    std::vector<document::Cell>& cells = pasted.cells;
    document::SurveyDocument::Growth& growth = pasted.growth;
    // Section of the rows past the table: 0 the last one of the survey,
    // k the k-th new one.
    int grown = 0;
    double lastKey = n > 0 ? (stations ? survey().station(n) : n) : 0.0;
    // A station in metres goes on with the letters of the section before.
    std::string lastPrefix = n > 0 ? survey().stationPrefix(n) : std::string();
    bool lastHasPoints = n > 0 && points({n}) > 0;
    std::map<int, double> spacingOf;
    const auto block = pastedBlock(text);
    for (std::size_t r = 0; r < block.size(); ++r) {
        const int row = row0 + static_cast<int>(r);
        std::array<std::optional<BlockCell>, Fill + 1> at;
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            BlockCell cell{row, column0 + static_cast<int>(c),
                           std::string(survey_file::trimBlanks(block[r][c]))};
            if (cell.column >= columns) {
                if (!cell.text.empty())
                    refuse(cell, survey_file::quotedCell(cell.text) + "是多余的数据");
                continue;
            }
            at[field(cell.column)] = std::move(cell);
        }
        const auto given = [&](int column) { return at[column] && !at[column]->text.empty(); };
        const Place place = this->place(row);
        if (place.section > 0) {
            const int i = place.section;
            if (at[Key]) {
                if (stations) {
                    const survey_file::CellReading read = reading(*at[Key], ValueKind::Station);
                    cells.push_back({i, 0, document::Column::Station, read.value,
                                     document::Line::Outline, read.prefix});
                } else if (runtime::readNumber(at[Key]->text) != std::optional<double>(i)) {
                    refuse(*at[Key], survey_file::notNextSection(at[Key]->text, i));
                }
            }
            for (const Field column : {Elevation, Offset}) {
                if (!at[column]) continue;
                const auto kind = column == Elevation ? ValueKind::Elevation : ValueKind::Offset;
                if (place.point == 0) {
                    if (!at[column]->text.empty())
                        refuse(*at[column], "：这一行是没有观测点的断面，请先插入观测点");
                    continue;
                }
                cells.push_back(
                    {i, place.point,
                     column == Elevation ? document::Column::Elevation : document::Column::Offset,
                     value(*at[column], kind)});
            }
            if (given(Spacing)) {
                const double spacing = value(*at[Spacing], ValueKind::Spacing);
                if (i < n) cells.push_back({i, 0, document::Column::Spacing, spacing});
                spacingOf[i] = spacing;
                if (i == n) growth.spacing = spacing;
            }
            continue;
        }
        // Past the table's rows.
        bool allEmpty = true;
        for (const auto& cell : at) allEmpty = allEmpty && !(cell && !cell->text.empty());
        if (allEmpty) continue;
        if (at[Key] || n + grown == 0) {
            double key = 0.0;
            std::string prefix = lastPrefix;
            if (at[Key]) {
                if (at[Key]->text.empty()) refuse(*at[Key], stations ? "没有桩号" : "没有断面编号");
                if (stations) {
                    const survey_file::CellReading read = reading(*at[Key], ValueKind::Station);
                    key = read.value;
                    prefix = read.prefix.value_or(lastPrefix);
                } else {
                    const std::optional<double> number = runtime::readNumber(at[Key]->text);
                    const int next = n + grown + 1;
                    if (!number || (*number != next && !(next > 1 && *number == next - 1)))
                        refuse(*at[Key], survey_file::notNextSection(at[Key]->text, next));
                    key = *number;
                }
            }
            if (n + grown == 0 || key != lastKey || prefix != lastPrefix) {
                growth.sections.push_back(
                    {.station = stations ? key : 0.0, .stationPrefix = stations ? prefix : ""});
                ++grown;
                lastKey = stations ? key : n + grown;
                lastPrefix = prefix;
                lastHasPoints = false;
            }
        }
        auto& points = grown == 0 ? growth.points : growth.sections.back().points;
        const int section = n + grown;
        if (given(Elevation) || given(Offset)) {
            if (!given(Elevation)) refuse({row, this->column(Elevation), {}}, "没有高程");
            if (!given(Offset)) refuse({row, this->column(Offset), {}}, "没有距离");
            points.push_back({value(*at[Elevation], ValueKind::Elevation),
                              value(*at[Offset], ValueKind::Offset)});
            lastHasPoints = true;
        } else if (lastHasPoints) {
            refuse({row, this->column(Elevation), {}}, "没有高程");
        }
        if (given(Spacing)) {
            const double spacing = value(*at[Spacing], ValueKind::Spacing);
            if (spacingOf.contains(section) && spacingOf[section] != spacing)
                refuse(*at[Spacing], survey_file::quotedCell(at[Spacing]->text) + "与第 " +
                                         std::to_string(section) +
                                         " 号断面已有的间距不同，每个断面只能有一个间距");
            spacingOf[section] = spacing;
            if (grown == 0)
                growth.spacing = spacing;
            else
                growth.sections.back().spacing = spacing;
        }
    }
    const int last = n + grown;
    if (spacingOf.contains(last))
        throw PasteRefusal{
            QStringLiteral("第 %1 号断面是最后一个断面，后面没有断面，不应有间距").arg(last)};
    return pasted;
}

}  // namespace window
