// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/cut_fill_table_model.h"

#include <algorithm>

#include "section/cut_fill_calculation.h"
#include "section/cut_fill_rows.h"
#include "survey_file/cells.h"

namespace window {
namespace {

using document::Column;
using document::Line;

QString fieldName(CutFillTableModel::Field field, bool stations) {
    switch (field) {
        case CutFillTableModel::Key:
            return stations ? QStringLiteral("桩号") : QStringLiteral("断面");
        case CutFillTableModel::LineName:
            return QStringLiteral("线");
        case CutFillTableModel::Elevation:
            return QStringLiteral("高程H");
        case CutFillTableModel::Offset:
            return QStringLiteral("距离S");
        case CutFillTableModel::Spacing:
            return QStringLiteral("间距DL");
        case CutFillTableModel::Cut:
            return QStringLiteral("挖方面积");
        case CutFillTableModel::Fill:
            return QStringLiteral("填方面积");
    }
    return {};
}

}  // namespace

CutFillTableModel::CutFillTableModel(document::SurveyDocument& document, QObject* parent)
    : TableModel(parent), document_(document) {
    firstRow_ = layOut();
    connect(&document_, &document::SurveyDocument::changed, this, &CutFillTableModel::follow);
}

std::vector<int> CutFillTableModel::layOut() const {
    const int n = survey().sectionCount();
    std::vector<int> rows(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        const section::CutFillSection& s = survey().sections[i - 1];
        rows[i] = rows[i - 1] + static_cast<int>(s.ground.size() + s.design.size()) + 2;
    }
    return rows;
}

CutFillTableModel::Field CutFillTableModel::field(int column) const {
    if (survey().stationsEntered() && column >= Spacing) return static_cast<Field>(column + 1);
    return static_cast<Field>(column);
}

int CutFillTableModel::column(Field field) const {
    if (survey().stationsEntered() && field > Spacing) return field - 1;
    return field;
}

int CutFillTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return survey().stationsEntered() ? 6 : 7;
}

TableModel::Place CutFillTableModel::place(int row) const {
    if (row < 0 || row >= dataRows()) return {};
    const int i = sectionOf(row);
    const int ground = static_cast<int>(survey().sections[i - 1].ground.size());
    const int k = row - firstRow_[i - 1];
    const bool design = k > ground;
    const int j = design ? k - ground - 1 : k;
    const int count = design ? static_cast<int>(survey().sections[i - 1].design.size()) : ground;
    return {i, j < count ? j + 1 : 0, design};
}

int CutFillTableModel::rowOf(int section, int point) const {
    if (section < 1 || section > survey().sectionCount()) return dataRows();
    return firstRow_[section - 1] + std::max(point - 1, 0);
}

const std::vector<section::Point>& CutFillTableModel::line(const Place& at) const {
    const section::CutFillSection& s = survey().sections[at.section - 1];
    return at.design ? s.design : s.ground;
}

QVariant CutFillTableModel::data(const QModelIndex& index, int role) const {
    const Place at = place(index.row());
    const Field f = field(index.column());
    if (role == Qt::TextAlignmentRole)
        return int((f == LineName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (at.section == 0)
        return role == Qt::DisplayRole || role == Qt::EditRole ? QString() : QVariant();
    const section::CutFillSection& s = survey().sections[at.section - 1];
    const bool first = index.row() == firstRow_[at.section - 1];
    if (role == Qt::ToolTipRole && first && !s.areas && (f == Cut || f == Fill))
        return QString::fromStdString(section::noAreasReason(s));
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (f) {
        case Key:
            return survey().stationsEntered() ? cellText(s.station) : QString::number(at.section);
        case LineName:
            return at.design ? QStringLiteral("设计线") : QStringLiteral("地面线");
        case Elevation:
            return at.point > 0 ? cellText(line(at)[at.point - 1].elevation) : QString();
        case Offset:
            return at.point > 0 ? cellText(line(at)[at.point - 1].offset) : QString();
        case Spacing:
            return first && at.section < survey().sectionCount() ? cellText(s.spacing) : QString();
        case Cut:
        case Fill:
            if (!first) return QString();
            if (!s.areas)
                return f == Cut ? QStringLiteral("无面积")
                                : QString::fromStdString(section::noAreasReason(s));
            return QString::fromStdString(f == Cut ? areaFigures(at.section).cut
                                                   : areaFigures(at.section).fill);
    }
    return {};
}

QVariant CutFillTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return fieldName(field(section), survey().stationsEntered());
}

Qt::ItemFlags CutFillTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const Place at = place(index.row());
    const bool editable = [&] {
        switch (field(index.column())) {
            case Key:
                // Without stations a section's number is its place: only the next one can be typed.
                return survey().stationsEntered() || at.section == 0;
            case Elevation:
            case Offset:
                return at.section > 0;
            case Spacing:
                return at.section > 0 && index.row() == firstRow_[at.section - 1] &&
                       at.section < survey().sectionCount();
            default:
                return false;
        }
    }();
    return editable ? flags | Qt::ItemIsEditable : flags;
}

bool CutFillTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return role == Qt::EditRole && commit(index, value.toString()).isEmpty();
}

QString CutFillTableModel::cellName(int row, int column) const {
    const Place at = place(row);
    const QString name = fieldName(field(column), survey().stationsEntered());
    if (at.section == 0) return QStringLiteral("第 %1 行（最后一行）的%2").arg(row + 1).arg(name);
    QString where = QString::fromStdString(section::cutFillSectionName(survey(), at.section));
    const Field f = field(column);
    if (f == Elevation || f == Offset) {
        where += at.design ? QStringLiteral("设计线") : QStringLiteral("地面线");
        where += at.point > 0 ? QStringLiteral("第 %1 点").arg(at.point)
                              : QStringLiteral("的新点（第 %1 点）").arg(line(at).size() + 1);
    }
    return QStringLiteral("第 %1 行（%2的%3）").arg(row + 1).arg(where, name);
}

const section::CutFillSurvey& CutFillTableModel::survey() const {
    static const section::CutFillSurvey none;
    const section::CutFillSurvey* held = document_.survey().cutFill();
    return held ? *held : none;
}

QString CutFillTableModel::outcome(const document::Edited& edited, const QString& where) {
    if (edited.done()) return {};
    return told(where + QStringLiteral("没有改：") + QString::fromStdString(edited.why) +
                QStringLiteral("。数据保持不变。"));
}

QString CutFillTableModel::commit(const QModelIndex& index, const QString& typed) {
    const QString where = cellName(index.row(), index.column());
    if (!(flags(index) & Qt::ItemIsEditable)) {
        const Field f = field(index.column());
        if (f == Cut || f == Fill) return told(where + QStringLiteral("由计算得出，不能输入"));
        if (f == LineName)
            return told(where + QStringLiteral("不能输入：每个断面都有地面线和设计线两部分"));
        if (place(index.row()).section == 0)
            return told(where +
                        QStringLiteral("不能输入：请先在这一行输入桩号（或断面号）新建断面"));
        return told(where + QStringLiteral("不能输入"));
    }
    const std::string cell = typed.toStdString();
    const Place at = place(index.row());
    const Field f = field(index.column());
    if (f == Key) return commitKey(at, cell, where);
    const auto kind = f == Elevation ? survey_file::ValueKind::Elevation
                      : f == Offset  ? survey_file::ValueKind::Offset
                                     : survey_file::ValueKind::Spacing;
    const survey_file::CellReading read = survey_file::readCell(cell, kind);
    if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
    if (f == Spacing)
        return outcome(
            document_.setCell({at.section, 0, Column::Spacing, read.value, Line::Ground}), where);
    const Column column = f == Elevation ? Column::Elevation : Column::Offset;
    if (at.point > 0)
        return outcome(document_.setCell({at.section, at.point, column, read.value, lineOf(at)}),
                       where);
    // A new point at the end of the line. Until its distance is typed it
    // stands where the line ends, a vertical step, so that the line keeps its order.
    const auto& points = line(at);
    section::Point point{0.0, points.empty() ? 0.0 : points.back().offset};
    (f == Elevation ? point.elevation : point.offset) = read.value;
    return outcome(
        document_.insertPoint({at.section, static_cast<int>(points.size()) + 1, lineOf(at)}, point),
        where);
}

QString CutFillTableModel::commitKey(const Place& at, const std::string& cell,
                                     const QString& where) {
    const int n = survey().sectionCount();
    if (survey().stationsEntered()) {
        const survey_file::CellReading read =
            survey_file::readCell(cell, survey_file::ValueKind::Station);
        if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
        if (at.section > 0)
            return outcome(
                document_.setCell({at.section, 0, Column::Station, read.value, Line::Ground}),
                where);
        if (n > 0 && read.value == survey().sections[n - 1].station) return {};
        return outcome(document_.insertSection(n + 1, {.station = read.value}), where);
    }
    const SectionNumber number = sectionNumberTyped(cell, n);
    if (!number.fault.isEmpty()) return told(where + number.fault);
    return number.startsSection ? outcome(document_.insertSection(n + 1, {}), where) : QString();
}

QString CutFillTableModel::insertPoint(int row, bool below) {
    const Place at = place(row);
    if (at.section == 0)
        return told(QStringLiteral("请先在最后一行输入桩号（或断面号）新建断面。"));
    const auto& points = line(at);
    const int j = at.point > 0 ? at.point + (below ? 1 : 0) : static_cast<int>(points.size()) + 1;
    const int copied = at.point > 0 ? at.point : static_cast<int>(points.size());
    const section::Point copy = copied > 0 ? points[copied - 1] : section::Point{};
    return outcome(document_.insertPoint({at.section, j, lineOf(at)}, copy),
                   cellName(row, column(Elevation)));
}

QString CutFillTableModel::deletePoints(const std::vector<int>& rows) {
    std::vector<document::PointPlace> points;
    for (int row : rows)
        if (const Place at = place(row); at.point > 0)
            points.push_back({at.section, at.point, lineOf(at)});
    if (points.empty()) return told(QStringLiteral("所选的行中没有观测点。"));
    return outcome(document_.deletePoints(std::move(points)),
                   cellName(rows.front(), column(Elevation)));
}

QString CutFillTableModel::insertSection(int row) {
    const Place at = place(row);
    const int n = survey().sectionCount();
    const int i = at.section == 0 ? n + 1 : at.section;
    const double station = n == 0 ? 0.0 : survey().sections[std::min(i, n) - 1].station;
    return outcome(document_.insertSection(i, {.station = station}), cellName(row, Key));
}

QString CutFillTableModel::deleteSection(int row) {
    const Place at = place(row);
    if (at.section == 0) return told(QStringLiteral("最后一行是输入新断面的空行，没有断面。"));
    return outcome(document_.deleteSection(at.section), cellName(row, Key));
}

QString CutFillTableModel::movePoint(int, bool) {
    return told(
        QStringLiteral("地面线和设计线的点按距离 S 的顺序排列，不能上移或下移；"
                       "要改一点的位置，请改它的距离。"));
}

const section::AreaFigures& CutFillTableModel::areaFigures(int i) const {
    const auto [place, fresh] = areaFigures_.try_emplace(i);
    if (fresh) place->second = section::cutFillAreaFigures(survey().sections[std::size_t(i - 1)]);
    return place->second;
}

void CutFillTableModel::follow(const document::Change& change) {
    using Kind = document::Change::Kind;
    areaFigures_.clear();
    if (change.kind == Kind::Survey) {
        beginResetModel();
        firstRow_ = layOut();
        endResetModel();
        return;
    }
    // Edits of a closed outline are the other model's.
    if (!document_.survey().cutFill()) return;
    // Areas change with any value; the rows that come or go do so at the end
    // of the block, so a point typed on a line's empty row stays where it was typed.
    const std::size_t last = change.kind == Kind::Sections
                                 ? firstRow_.size() - 1
                                 : std::min<std::size_t>(change.last, firstRow_.size() - 1);
    const int start = firstRow_[std::min<std::size_t>(change.first, firstRow_.size()) - 1];
    const int oldEnd = change.kind == Kind::Sections ? dataRows() + 1 : firstRow_[last];
    std::vector<int> fresh = layOut();
    const int delta = fresh.back() - firstRow_.back();
    resizeRows(start, oldEnd, std::min(oldEnd, oldEnd + delta), delta,
               [&] { firstRow_ = std::move(fresh); });
}

}  // namespace window
