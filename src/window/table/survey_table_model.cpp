// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_model.h"

#include <algorithm>

#include "survey_file/cells.h"

namespace window {
namespace {

using document::Outcome;

int heldPoints(const section::SectionSurvey& survey, int i) {
    return std::max<int>(survey.pointCounts(i), 0);
}

}  // namespace

SurveyTableModel::SurveyTableModel(document::SurveyDocument& document, QObject* parent)
    : TableModel(parent), document_(document) {
    firstRow_ = layOut();
    connect(&document_, &document::SurveyDocument::changed, this, &SurveyTableModel::follow);
}

std::vector<int> SurveyTableModel::layOut() const {
    const int n = survey().sectionCount();
    std::vector<int> rows(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) rows[i] = rows[i - 1] + std::max(heldPoints(survey(), i), 1);
    return rows;
}

int SurveyTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return survey().stationsEntered() ? 3 : 4;
}

SurveyTableModel::Place SurveyTableModel::place(int row) const {
    if (row < 0 || row >= dataRows()) return {};
    const int i = sectionOf(row);
    return {i, heldPoints(survey(), i) > 0 ? row - firstRow_[i - 1] + 1 : 0};
}

int SurveyTableModel::rowOf(int section, int point) const {
    if (section < 1 || section > survey().sectionCount()) return dataRows();
    return firstRow_[section - 1] + std::max(point - 1, 0);
}

QVariant SurveyTableModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const Place at = place(index.row());
    if (at.section == 0) return QString();
    const section::SectionSurvey& s = survey();
    switch (index.column()) {
        case Key:
            return s.stationsEntered() ? cellText(s.stations(at.section))
                                       : QString::number(at.section);
        case Elevation:
            return at.point > 0 ? cellText(s.elevations(at.section, at.point)) : QString();
        case Offset:
            return at.point > 0 ? cellText(s.offsets(at.section, at.point)) : QString();
        case Spacing:
            if (at.point > 1 || at.section == s.sectionCount()) return QString();
            return cellText(s.spacings(at.section));
    }
    return {};
}

QVariant SurveyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char* const kHeaders[] = {"", "高程H", "距离S", "间距DL"};
    if (section == Key)
        return survey().stationsEntered() ? QStringLiteral("桩号") : QStringLiteral("断面");
    return QString::fromUtf8(kHeaders[section]);
}

Qt::ItemFlags SurveyTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const Place at = place(index.row());
    const bool editable = [&] {
        switch (index.column()) {
            case Key:
                // Without stations a section's number is its place: only the next one can be typed.
                return survey().stationsEntered() || at.section == 0;
            case Spacing:
                return at.section > 0 && at.point <= 1 && at.section < survey().sectionCount();
            default:
                return true;
        }
    }();
    return editable ? flags | Qt::ItemIsEditable : flags;
}

bool SurveyTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return role == Qt::EditRole && commit(index, value.toString()).isEmpty();
}

const section::SectionSurvey& SurveyTableModel::survey() const {
    static const section::SectionSurvey none;
    const section::SectionSurvey* held = document_.survey().closedOutline();
    return held ? *held : none;
}

QString SurveyTableModel::outcome(const document::Edited& edited, const QString& where) {
    switch (edited.outcome) {
        case Outcome::Done:
            return {};
        case Outcome::Overflow:
            return told(
                QStringLiteral("计算结果超出了数值范围（绝对值超过 3.4E+38），"
                               "这一修改没有生效，数据保持不变。"));
        case Outcome::Refused:
            break;
    }
    return told(where +
                QStringLiteral("不能这样修改：断面或观测点已达到最多的个数，或这一格不能输入。"));
}

QString SurveyTableModel::commit(const QModelIndex& index, const QString& typed) {
    if (!(flags(index) & Qt::ItemIsEditable))
        return told(tablePlace(index.row(), index.column()) + QStringLiteral("不能输入"));
    const std::string cell = typed.toStdString();
    const QString where = tablePlace(index.row(), index.column());
    const Place at = place(index.row());
    if (index.column() == Key) return commitKey(at, cell, where);
    const auto kind = index.column() == Elevation ? survey_file::ValueKind::Elevation
                      : index.column() == Offset  ? survey_file::ValueKind::Offset
                                                  : survey_file::ValueKind::Spacing;
    const survey_file::CellReading read = survey_file::readCell(cell, kind);
    if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
    if (index.column() == Spacing)
        return outcome(document_.setCell({at.section, 0, document::Column::Spacing, read.value}),
                       where);
    const bool h = index.column() == Elevation;
    if (at.point > 0)
        return outcome(
            document_.setCell({at.section, at.point,
                               h ? document::Column::Elevation : document::Column::Offset,
                               read.value}),
            where);
    // A new point on the row of a section without points, or on the empty row:
    // the value not typed yet is 0 until it is.
    const document::Point point{h ? read.value : 0.0, h ? 0.0 : read.value};
    const int n = survey().sectionCount();
    if (at.section > 0) return outcome(document_.insertPoint({at.section, 1}, point), where);
    if (n == 0) return outcome(document_.insertSection(1, {.points = {point}}), where);
    return outcome(document_.insertPoint({n, heldPoints(survey(), n) + 1}, point), where);
}

QString SurveyTableModel::commitKey(const Place& at, const std::string& cell,
                                    const QString& where) {
    const int n = survey().sectionCount();
    if (survey().stationsEntered()) {
        const survey_file::CellReading read =
            survey_file::readCell(cell, survey_file::ValueKind::Station);
        if (!read.fault.empty()) return told(where + QString::fromStdString(read.fault));
        if (at.section > 0)
            return outcome(
                document_.setCell({at.section, 0, document::Column::Station, read.value}), where);
        // On the empty row the last section's station goes on with that
        // section, as the file's rows do; another one starts a section.
        if (n > 0 && read.value == survey().stations(n)) return {};
        return outcome(document_.insertSection(n + 1, {.station = read.value}), where);
    }
    const SectionNumber number = sectionNumberTyped(cell, n);
    if (!number.fault.isEmpty()) return told(where + number.fault);
    return number.startsSection ? outcome(document_.insertSection(n + 1, {}), where) : QString();
}

QString SurveyTableModel::insertPoint(int row, bool below) {
    const Place at = place(row);
    if (at.section == 0) return told(QStringLiteral("请先在最后一行输入观测点。"));
    if (at.point == 0)
        return outcome(document_.insertPoint({at.section, 1}, {}), tablePlace(row, Elevation));
    const document::Point copy{survey().elevations(at.section, at.point),
                               survey().offsets(at.section, at.point)};
    return outcome(document_.insertPoint({at.section, at.point + (below ? 1 : 0)}, copy),
                   tablePlace(row, Elevation));
}

QString SurveyTableModel::deletePoints(const std::vector<int>& rows) {
    std::vector<document::PointPlace> points;
    for (int row : rows)
        if (const Place at = place(row); at.point > 0) points.emplace_back(at.section, at.point);
    if (points.empty()) return told(QStringLiteral("所选的行中没有观测点。"));
    return outcome(document_.deletePoints(std::move(points)), tablePlace(rows.front(), Elevation));
}

QString SurveyTableModel::insertSection(int row) {
    const Place at = place(row);
    const int i = at.section == 0 ? survey().sectionCount() + 1 : at.section;
    const double station = survey().sectionCount() == 0
                               ? 0.0
                               : survey().stations(std::min(i, survey().sectionCount()));
    return outcome(document_.insertSection(i, {.station = station}), tablePlace(row, Key));
}

QString SurveyTableModel::deleteSection(int row) {
    const Place at = place(row);
    if (at.section == 0) return told(QStringLiteral("最后一行是输入新数据的空行，没有断面。"));
    return outcome(document_.deleteSection(at.section), tablePlace(row, Key));
}

QString SurveyTableModel::movePoint(int row, bool up) {
    const Place at = place(row);
    if (at.point == 0) return told(QStringLiteral("这一行没有观测点。"));
    const int other = at.point + (up ? -1 : 1);
    if (other < 1 || other > heldPoints(survey(), at.section))
        return told(up ? QStringLiteral("这是断面的第一个观测点，不能再上移。")
                       : QStringLiteral("这是断面的最后一个观测点，不能再下移。"));
    return outcome(up ? document_.movePointUp(at.section, at.point)
                      : document_.movePointDown(at.section, at.point),
                   tablePlace(row, Elevation));
}

void SurveyTableModel::follow(const document::Change& change) {
    using Kind = document::Change::Kind;
    // Edits of a cut-and-fill survey are the other model's.
    if (change.kind != Kind::Survey && !document_.survey().closedOutline()) return;
    const int columns = columnCount();
    switch (change.kind) {
        case Kind::Survey:
            beginResetModel();
            firstRow_ = layOut();
            endResetModel();
            return;
        case Kind::Values:
            emit dataChanged(index(firstRow_[change.first - 1], 0),
                             index(firstRow_[change.last] - 1, columns - 1));
            return;
        case Kind::Points:
            resizeBlock(firstRow_[change.first - 1], firstRow_[change.last], true, layOut());
            return;
        case Kind::Sections:
            resizeBlock(firstRow_[std::min<std::size_t>(change.first, firstRow_.size()) - 1],
                        dataRows() + 1, false, layOut());
            return;
    }
}

// Rows [start, oldEnd) become [start, newEnd): the rows that come or go at the
// block's end (points) or start (sections), then every row of it redrawn.
void SurveyTableModel::resizeBlock(int start, int oldEnd, bool atEnd, std::vector<int> fresh) {
    const int delta = fresh.back() - firstRow_.back();
    int at = atEnd ? std::min(oldEnd, oldEnd + delta) : start;
    // Points added to the last section from the empty row: that row becomes
    // the new point and the new rows come after it, so the cell being typed
    // stays on the point.
    if (atEnd && delta > 0 && oldEnd == rowCount() - 1) at = oldEnd + 1;
    resizeRows(start, oldEnd, at, delta, [&] { firstRow_ = std::move(fresh); });
}

}  // namespace window
