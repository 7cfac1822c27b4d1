// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <algorithm>
#include <map>

#include "survey_file/cells.h"

namespace window {
namespace {

using document::Column;
using section::SurveyLine;

const QString kGenerated =
    QStringLiteral("的设计线由道路设计生成，不能直接输入：请先在右键菜单中选“改为输入的设计线”");

QString fieldName(SurveyTableModel::Field field, bool stations) {
    switch (field) {
        case SurveyTableModel::Key:
            return stations ? QStringLiteral("桩号") : QStringLiteral("断面");
        case SurveyTableModel::LineName:
            return QStringLiteral("线");
        case SurveyTableModel::Elevation:
            return QStringLiteral("高程H");
        case SurveyTableModel::Offset:
            return QStringLiteral("距离S");
        case SurveyTableModel::Code:
            return QStringLiteral("编码");
        case SurveyTableModel::Spacing:
            return QStringLiteral("间距DL");
        case SurveyTableModel::Cut:
            return QStringLiteral("挖方面积");
        case SurveyTableModel::Fill:
            return QStringLiteral("填方面积");
    }
    return {};
}

}  // namespace

SurveyTableModel::SurveyTableModel(document::SurveyDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    shapeUp();
    firstRow_ = layOut();
    connect(&document_, &document::SurveyDocument::changed, this, &SurveyTableModel::follow);
}

void SurveyTableModel::shapeUp() {
    shape_ = section::lineShape(survey());
    fields_ = {Key};
    if (!oneLine()) fields_.push_back(LineName);
    fields_.insert(fields_.end(), {Elevation, Offset});
    if (shape_.codes) fields_.push_back(Code);
    // Stations give the spacings; without them each section's is typed.
    if (!survey().stationsEntered()) fields_.push_back(Spacing);
    if (shape_.areas) fields_.insert(fields_.end(), {Cut, Fill});
}

bool SurveyTableModel::generated(const Place& at) const {
    const section::CutFillSurvey* lines = survey().cutFill();
    return lines && at.line == SurveyLine::Design && at.section > 0 &&
           at.section <= lines->sectionCount() && lines->sections[at.section - 1].designGenerated;
}

QString SurveyTableModel::keepDesignLine(int row) {
    const Place at = place(row);
    if (!generated({at.section, 0, SurveyLine::Design})) return {};
    return outcome(document_.keepDesignLine(at.section), cellName(row, column(Elevation)));
}

int SurveyTableModel::column(Field field) const {
    const auto at = std::find(fields_.begin(), fields_.end(), field);
    return at == fields_.end() ? -1 : static_cast<int>(at - fields_.begin());
}

std::vector<int> SurveyTableModel::layOut() const {
    const int n = survey().sectionCount();
    std::vector<int> rows(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        int held = 0;
        for (SurveyLine line : shape_.lines)
            held += section::pointCount(survey(), i, line) + (oneLine() ? 0 : 1);
        rows[i] = rows[i - 1] + std::max(held, 1);
    }
    return rows;
}

int SurveyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

SurveyTableModel::Place SurveyTableModel::place(int row) const {
    if (row < 0 || row >= dataRows()) return {};
    const int i = sectionOf(row);
    // A view told of a new survey before this model may ask for a row of the
    // rows laid out for the one before: nothing is there any more.
    if (i > survey().sectionCount()) return {};
    int k = row - firstRow_[i - 1];
    for (SurveyLine line : shape_.lines) {
        const int count = section::pointCount(survey(), i, line);
        const int rows = oneLine() ? std::max(count, 1) : count + 1;
        if (k < rows) return {i, k < count ? k + 1 : 0, line};
        k -= rows;
    }
    return {i, 0, shape_.lines.back()};
}

int SurveyTableModel::rowOf(int section, int point) const {
    if (section < 1 || section > survey().sectionCount()) return dataRows();
    return firstRow_[section - 1] + std::max(point - 1, 0);
}

QVariant SurveyTableModel::data(const QModelIndex& index, int role) const {
    const Field f = field(index.column());
    if (role == Qt::TextAlignmentRole)
        return int((f == LineName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    const Place at = place(index.row());
    if (at.section == 0)
        return role == Qt::DisplayRole || role == Qt::EditRole ? QString() : QVariant();
    const bool first = index.row() == firstRow_[at.section - 1];
    const bool area = first && (f == Cut || f == Fill);
    if (role == Qt::ToolTipRole && area && !areas(at.section).missing.empty())
        return QString::fromStdString(areas(at.section).missing);
    if (generated(at) && (f == Elevation || f == Offset)) {
        if (role == Qt::ToolTipRole) return QStringLiteral("由道路设计生成");
        if (role == Qt::ForegroundRole) return QBrush(QColor(110, 110, 110));
        if (role == Qt::FontRole) {
            QFont font;
            font.setItalic(true);
            return font;
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (f) {
        case Key:
            return survey().stationsEntered() ? keyText(at.section) : QString::number(at.section);
        case LineName:
            return QString::fromStdString(section::lineName(at.line));
        case Elevation:
        case Offset: {
            if (at.point == 0) return QString();
            const section::Point p = section::point(survey(), at.section, at.line, at.point);
            const double value = f == Elevation ? p.elevation : p.offset;
            // Worked out, not typed: to the millimetre, as the drawings give it.
            return generated(at) ? QString::number(value, 'f', 3) : cellText(value);
        }
        case Code:
            return at.point == 0 ? QString()
                                 : QString::fromStdString(
                                       section::pointCode(survey(), at.section, at.line, at.point));
        case Spacing:
            return first && at.section < survey().sectionCount()
                       ? cellText(section::spacing(survey(), at.section))
                       : QString();
        case Cut:
        case Fill: {
            if (!area) return QString();
            const section::SectionAreas& shown = areas(at.section);
            if (!shown.missing.empty())
                return f == Cut ? QStringLiteral("无面积") : QString::fromStdString(shown.missing);
            return QString::fromStdString(f == Cut ? shown.cut : shown.fill);
        }
    }
    return {};
}

QString SurveyTableModel::keyText(int i) const {
    const double station = survey().station(i);
    const std::string& prefix = survey().stationPrefix(i);
    // Letters other than the usual K as the file writes them: "ZK1+020".
    if (prefix.empty()) return cellText(station);
    return QString::fromStdString(survey_file::stationKey({station, 1, prefix}));
}

QVariant SurveyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return fieldName(field(section), survey().stationsEntered());
}

Qt::ItemFlags SurveyTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const Place at = place(index.row());
    const bool editable = [&] {
        switch (field(index.column())) {
            case Key:
                // Without stations a section's number is its place: only the next one can be typed.
                return survey().stationsEntered() || at.section == 0;
            case Elevation:
            case Offset:
                return (oneLine() || at.section > 0) && !generated(at);
            case Spacing:
                return at.section > 0 && index.row() == firstRow_[at.section - 1] &&
                       at.section < survey().sectionCount();
            default:
                return false;
        }
    }();
    return editable ? flags | Qt::ItemIsEditable : flags;
}

bool SurveyTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return role == Qt::EditRole && commit(index, value.toString()).isEmpty();
}

QString SurveyTableModel::cellName(int row, int column) const {
    // A row of one line is its place; with several, the row alone does not say which point it is.
    if (oneLine()) return tablePlace(row, column);
    const Place at = place(row);
    const QString name = fieldName(field(column), survey().stationsEntered());
    if (at.section == 0) return QStringLiteral("第 %1 行（最后一行）的%2").arg(row + 1).arg(name);
    QString where = QString::fromStdString(section::cellSectionName(survey(), at.section));
    const Field f = field(column);
    if (f == Elevation || f == Offset) {
        where += QString::fromStdString(section::lineName(at.line));
        where += at.point > 0 ? QStringLiteral("第 %1 点").arg(at.point)
                              : QStringLiteral("的新点（第 %1 点）").arg(points(at) + 1);
    }
    return QStringLiteral("第 %1 行（%2的%3）").arg(row + 1).arg(where, name);
}

QString SurveyTableModel::outcome(const document::Edited& edited, const QString& where) {
    if (edited.done()) return {};
    const QString why = QString::fromStdString(edited.why);
    if (!oneLine())
        return told(where + QStringLiteral("没有改：") + why + QStringLiteral("。数据保持不变。"));
    if (edited.outcome == document::Outcome::Overflow)
        return told(why + QStringLiteral("，这一修改没有生效，数据保持不变。"));
    return told(where + QStringLiteral("不能这样修改：") + why + QStringLiteral("。"));
}

QString SurveyTableModel::commit(const QModelIndex& index, const QString& typed) {
    const QString where = cellName(index.row(), index.column());
    const Place at = place(index.row());
    const Field f = field(index.column());
    if (!(flags(index) & Qt::ItemIsEditable)) {
        if (f == Cut || f == Fill) return told(where + QStringLiteral("由计算得出，不能输入"));
        if (f == Code)
            return told(where + QStringLiteral("不能输入：编码随里程文件读入和保存，这里只显示"));
        if (f == LineName)
            return told(where + QStringLiteral("不能输入：每个断面都有地面线和设计线两部分"));
        if (generated(at) && (f == Elevation || f == Offset)) return told(where + kGenerated);
        if (at.section == 0 && !oneLine())
            return told(where +
                        QStringLiteral("不能输入：请先在这一行输入桩号（或断面号）新建断面"));
        return told(where + QStringLiteral("不能输入"));
    }
    const std::string cell = typed.toStdString();
    if (f == Key) return commitKey(at, cell, where);
    const auto kind = f == Elevation ? survey_file::ValueKind::Elevation
                      : f == Offset  ? survey_file::ValueKind::Offset
                                     : survey_file::ValueKind::Spacing;
    const survey_file::CellReading read = survey_file::readCell(cell, kind);
    if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
    if (f == Spacing)
        return outcome(
            document_.setCell({at.section, 0, Column::Spacing, read.value, shape_.lines.front()}),
            where);
    const Column column = f == Elevation ? Column::Elevation : Column::Offset;
    if (at.point > 0)
        return outcome(document_.setCell({at.section, at.point, column, read.value, at.line}),
                       where);
    // A new point at the end of the line, or, on the empty row at the end, of
    // the last section's. Until its other value is typed it is 0, or, on a
    // line in the order of S, where the line ends: a vertical step.
    Place on = at;
    if (on.section == 0) on.section = survey().sectionCount();
    const int count = on.section > 0 ? points(on) : 0;
    section::Point point;
    if (shape_.orderedByOffset && count > 0)
        point.offset = section::point(survey(), on.section, on.line, count).offset;
    (f == Elevation ? point.elevation : point.offset) = read.value;
    if (on.section == 0) return outcome(document_.insertSection(1, {.points = {point}}), where);
    return outcome(document_.insertPoint({on.section, count + 1, on.line}, point), where);
}

QString SurveyTableModel::paste(int row, int column, const QString& text) {
    try {
        Pasted pasted =
            oneLine() ? readOnOneLine(row, column, text) : readOnLines(row, column, text);
        for (const document::Cell& cell : pasted.cells)
            if (generated({cell.section, cell.point, cell.line}))
                return told(cellName(rowOf(cell.section, 0), column) + kGenerated +
                            QStringLiteral("。粘贴没有进行，数据保持不变。"));
        return outcome(document_.paste(pasted.cells, std::move(pasted.growth)),
                       cellName(row, column));
    } catch (const PasteRefusal& refusal) {
        return told(refusal.message + QStringLiteral("。粘贴没有进行，数据保持不变。"));
    }
}

QString SurveyTableModel::commitKey(const Place& at, const std::string& cell,
                                    const QString& where) {
    const int n = survey().sectionCount();
    if (survey().stationsEntered()) {
        const survey_file::CellReading read =
            survey_file::readCell(cell, survey_file::ValueKind::Station);
        if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
        if (at.section > 0)
            return outcome(document_.setCell({at.section, 0, Column::Station, read.value,
                                              shape_.lines.front(), read.prefix}),
                           where);
        // On the empty row the last section's station goes on with that
        // section, as the file's rows do; another one starts a section, in
        // metres with the last one's letters.
        const std::string prefix =
            read.prefix.value_or(n > 0 ? survey().stationPrefix(n) : std::string());
        if (n > 0 && read.value == survey().station(n) && prefix == survey().stationPrefix(n))
            return {};
        return outcome(
            document_.insertSection(n + 1, {.station = read.value, .stationPrefix = prefix}),
            where);
    }
    const SectionNumber number = sectionNumberTyped(cell, n);
    if (!number.fault.isEmpty()) return told(where + number.fault);
    return number.startsSection ? outcome(document_.insertSection(n + 1, {}), where) : QString();
}

QString SurveyTableModel::insertPoint(int row, bool below) {
    const Place at = place(row);
    if (at.section == 0)
        return told(oneLine() ? QStringLiteral("请先在最后一行输入观测点。")
                              : QStringLiteral("请先在最后一行输入桩号（或断面号）新建断面。"));
    const int count = points(at);
    const int j = at.point > 0 ? at.point + (below ? 1 : 0) : count + 1;
    const int copied = at.point > 0 ? at.point : count;
    const section::Point copy =
        copied > 0 ? section::point(survey(), at.section, at.line, copied) : section::Point{};
    return outcome(document_.insertPoint({at.section, j, at.line}, copy),
                   cellName(row, column(Elevation)));
}

QString SurveyTableModel::deletePoints(const std::vector<int>& rows) {
    std::vector<document::PointPlace> points;
    for (int row : rows)
        if (const Place at = place(row); at.point > 0)
            points.push_back({at.section, at.point, at.line});
    if (points.empty()) return told(QStringLiteral("所选的行中没有观测点。"));
    return outcome(document_.deletePoints(std::move(points)),
                   cellName(rows.front(), column(Elevation)));
}

QString SurveyTableModel::insertSection(int row) {
    const Place at = place(row);
    const int n = survey().sectionCount();
    const int i = at.section == 0 ? n + 1 : at.section;
    const int copied = std::min(i, n);
    const double station = n == 0 ? 0.0 : survey().station(copied);
    const std::string prefix = n == 0 ? std::string() : survey().stationPrefix(copied);
    return outcome(document_.insertSection(i, {.station = station, .stationPrefix = prefix}),
                   cellName(row, Key));
}

QString SurveyTableModel::deleteSection(int row) {
    const Place at = place(row);
    if (at.section == 0)
        return told(oneLine() ? QStringLiteral("最后一行是输入新数据的空行，没有断面。")
                              : QStringLiteral("最后一行是输入新断面的空行，没有断面。"));
    return outcome(document_.deleteSection(at.section), cellName(row, Key));
}

QString SurveyTableModel::movePoint(int row, bool up) {
    if (shape_.orderedByOffset)
        return told(
            QStringLiteral("地面线和设计线的点按距离 S 的顺序排列，不能上移或下移；"
                           "要改一点的位置，请改它的距离。"));
    const Place at = place(row);
    if (at.point == 0) return told(QStringLiteral("这一行没有观测点。"));
    const int other = at.point + (up ? -1 : 1);
    if (other < 1 || other > points(at))
        return told(up ? QStringLiteral("这是断面的第一个观测点，不能再上移。")
                       : QStringLiteral("这是断面的最后一个观测点，不能再下移。"));
    return outcome(up ? document_.movePointUp(at.section, at.point)
                      : document_.movePointDown(at.section, at.point),
                   cellName(row, column(Elevation)));
}

const section::SectionAreas& SurveyTableModel::areas(int i) const {
    const auto [place, fresh] = areas_.try_emplace(i);
    if (fresh) place->second = section::sectionAreas(survey(), i);
    return place->second;
}

void SurveyTableModel::follow(const document::Change& change) {
    using Kind = document::Change::Kind;
    areas_.clear();
    if (change.kind == Kind::Survey) {
        beginResetModel();
        shapeUp();
        firstRow_ = layOut();
        endResetModel();
        return;
    }
    const std::size_t sections = firstRow_.size() - 1;
    const int start = firstRow_[std::min<std::size_t>(change.first, sections + 1) - 1];
    if (change.kind == Kind::Values) {
        const int end = firstRow_[std::min<std::size_t>(change.last, sections)];
        if (end > start) emit dataChanged(index(start, 0), index(end - 1, columnCount() - 1));
        return;
    }
    std::vector<int> fresh = layOut();
    const int delta = fresh.back() - firstRow_.back();
    const auto relayout = [&] { firstRow_ = std::move(fresh); };
    if (change.kind == Kind::Sections) {
        const int oldEnd = dataRows() + 1;
        // Sections of one line come or go where the change starts; those of
        // several at the end of the block, so that the row a key was typed on
        // becomes the new section's first line to type points into.
        resizeRows(start, oldEnd, oneLine() ? start : std::min(oldEnd, oldEnd + delta), delta,
                   relayout);
        return;
    }
    // Points come or go at the end of the block, so that a point typed on a
    // line's empty row stays where it was typed. Points added to the last
    // section from the empty row at the end: that row becomes the new point
    // and the new rows come after it.
    const int oldEnd = firstRow_[std::min<std::size_t>(change.last, sections)];
    const bool fromEndRow = oneLine() && delta > 0 && oldEnd == rowCount() - 1;
    resizeRows(start, oldEnd, fromEndRow ? oldEnd + 1 : std::min(oldEnd, oldEnd + delta), delta,
               relayout);
}

QString SurveyTableModel::told(QString message) {
    if (!message.isEmpty()) emit refused(message);
    return message;
}

void SurveyTableModel::resizeRows(int start, int oldEnd, int at, int delta,
                                  const std::function<void()>& relayout) {
    if (delta > 0) {
        beginInsertRows({}, at, at + delta - 1);
        relayout();
        endInsertRows();
    } else if (delta < 0) {
        beginRemoveRows({}, at, at - delta - 1);
        relayout();
        endRemoveRows();
    } else {
        relayout();
    }
    const int newEnd = oldEnd + delta;
    if (newEnd > start) emit dataChanged(index(start, 0), index(newEnd - 1, columnCount() - 1));
}

QString SurveyTableModel::copy(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return {};
    int top = indexes.front().row(), bottom = top, left = indexes.front().column(), right = left;
    std::map<std::pair<int, int>, QString> cells;
    for (const QModelIndex& index : indexes) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
        cells[{index.row(), index.column()}] = data(index, Qt::DisplayRole).toString();
    }
    QStringList lines;
    for (int row = top; row <= bottom; ++row) {
        QStringList line;
        for (int column = left; column <= right; ++column) {
            const auto at = cells.find({row, column});
            line << (at == cells.end() ? QString() : at->second);
        }
        lines << line.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

}  // namespace window
