// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/design/design_table_model.h"

#include <QBrush>
#include <QColor>

#include "survey_file/cells.h"
#include "survey_file/road_design_columns.h"
#include "window/design/design_rows.h"
#include "window/table/table_cells.h"

namespace window {

DesignTableModel::DesignTableModel(document::SurveyDocument& document, section::DesignTable table,
                                   QObject* parent)
    : QAbstractTableModel(parent),
      document_(document),
      table_(table),
      rows_(designRowCount(document.survey().roadDesign(), table)) {
    connect(&document, &document::SurveyDocument::changed, this, &DesignTableModel::follow);
}

int DesignTableModel::rowCount(const QModelIndex& parent) const {
    // A table of one row has no row to add.
    return parent.isValid() ? 0 : rows_ + (survey_file::singleRow(table_) ? 0 : 1);
}

int DesignTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : designColumnCount(table_);
}

QVariant DesignTableModel::data(const QModelIndex& index, int role) const {
    const bool marked = mark_ && mark_->row == index.row() &&
                        (mark_->column < 0 || mark_->column == index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return designCellText(design(), table_, index.row(), index.column());
        case Qt::TextAlignmentRole:
            return int(
                (designColumnIsWord(table_, index.column()) ? Qt::AlignHCenter : Qt::AlignRight) |
                Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return marked ? QBrush(QColor(255, 205, 205)) : QVariant();
        case Qt::ForegroundRole:
            return designShowsDefaults(design(), table_) ? QBrush(Qt::gray) : QVariant();
        case Qt::ToolTipRole:
            if (marked) return mark_->why;
            return designShowsDefaults(design(), table_)
                       ? QVariant(QStringLiteral("未填写：按默认值计算，改动后按所填的值计算"))
                       : QVariant();
        default:
            return {};
    }
}

QVariant DesignTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section < rows_ ? QVariant(section + 1) : QVariant("*");
    return designColumnTitle(table_, section);
}

Qt::ItemFlags DesignTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool DesignTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return role == Qt::EditRole && commit(index, value.toString()).isEmpty();
}

QString DesignTableModel::place(int row, int column) const {
    return QStringLiteral("%1表第 %2 行“%3”")
        .arg(designTableName(table_))
        .arg(row + 1)
        .arg(designColumnTitle(table_, column));
}

QString DesignTableModel::told(const QString& message, section::DesignTable table, int row,
                               int column) {
    emit refused(message, table, row, column);
    return message;
}

QString DesignTableModel::apply(const section::RoadDesign& changed) {
    const document::Edited edited =
        document_.setRoadDesign(changed, QStringLiteral("修改道路设计"));
    if (edited.done()) return {};
    QString why = QString::fromStdString(edited.why);
    if (!why.endsWith(u'。')) why += u'。';
    why += QStringLiteral("这一修改没有生效，道路设计保持不变。");
    const std::optional<section::DesignFault> fault =
        document::SurveyDocument::designFault(changed);
    if (!fault) return told(why, table_, -1, -1);
    return told(why, fault->table, fault->row, faultColumn(changed, *fault));
}

QString DesignTableModel::commit(const QModelIndex& index, const QString& text) {
    section::RoadDesign changed = design();
    const std::string fault =
        setDesignCell(changed, table_, index.row(), index.column(), text.toStdString());
    if (!fault.empty())
        return told(place(index.row(), index.column()) + QStringLiteral("：") +
                        QString::fromStdString(fault) + QStringLiteral("。道路设计保持不变。"),
                    table_, index.row(), index.column());
    return apply(changed);
}

QString DesignTableModel::paste(int row, int column, const QString& text) {
    section::RoadDesign changed = design();
    const auto block = pastedBlock(text);
    for (std::size_t r = 0; r < block.size(); ++r) {
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int at = row + int(r), to = column + int(c);
            const std::string_view typed = survey_file::trimBlanks(block[r][c]);
            std::string fault;
            if (to >= columnCount())
                fault = typed.empty() ? "" : survey_file::quotedCell(typed) + "是多余的数据";
            else
                fault = setDesignCell(changed, table_, at, to, typed);
            if (!fault.empty())
                return told(QStringLiteral("%1表第 %2 行第 %3 列：")
                                    .arg(designTableName(table_))
                                    .arg(at + 1)
                                    .arg(to + 1) +
                                QString::fromStdString(fault) +
                                QStringLiteral("。粘贴没有进行，道路设计保持不变。"),
                            table_, at, to < columnCount() ? to : -1);
        }
    }
    return apply(changed);
}

QString DesignTableModel::insertRow(int row) {
    section::RoadDesign changed = design();
    insertDesignRow(changed, table_, row);
    return apply(changed);
}

QString DesignTableModel::removeRows(const std::vector<int>& rows) {
    section::RoadDesign changed = design();
    removeDesignRows(changed, table_, rows);
    return changed == design() ? QString() : apply(changed);
}

void DesignTableModel::mark(int row, int column, const QString& why) {
    mark_ = Mark{row, column, why};
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DesignTableModel::follow() {
    mark_.reset();
    const int rows = designRowCount(design(), table_);
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    } else {
        emit dataChanged(index(0, 0), index(rows_, columnCount() - 1));
    }
}

}  // namespace window
