// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/quantity_table_dock.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QTableView>

#include "document/survey_document.h"
#include "printout/quantity_table.h"
#include "section/any_survey.h"
#include "window/printing/quantity_table_print.h"

namespace window {

// The rows of every page, then the 合计 of a table that adds up; the column
// heads with their group above and their units below.
class QuantityTableModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(printout::QuantityTable table) {
        beginResetModel();
        table_ = std::move(table);
        rows_.clear();
        for (const printout::QuantityPage& page : table_.pages)
            for (const printout::QuantityRow& row : page.rows) rows_.push_back(&row);
        if (table_.summed()) rows_.push_back(&table_.total);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || table_.pages.empty() ? 0 : int(table_.columns.size()) + 1;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const printout::QuantityRow& row = *rows_[std::size_t(index.row())];
        const int c = index.column();
        if (role == Qt::DisplayRole)
            return QString::fromStdString(c == 0 ? row.key : row.cells[std::size_t(c - 1)]);
        if (role == Qt::TextAlignmentRole) {
            const bool figure = c > 0 && !table_.columns[std::size_t(c - 1)].unit.empty();
            return QVariant::fromValue(figure ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignCenter | Qt::AlignVCenter);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (section == 0) return QString::fromStdString(table_.keyTitle);
        const printout::QuantityColumn& column = table_.columns[std::size_t(section - 1)];
        QString head = QString::fromStdString(column.title);
        if (!column.group.empty()) head.prepend(QString::fromStdString(column.group) + u'\n');
        if (!column.unit.empty())
            head += QStringLiteral("\n(%1)").arg(QString::fromStdString(column.unit));
        return head;
    }

  private:
    printout::QuantityTable table_;
    std::vector<const printout::QuantityRow*> rows_;
};

QuantityTableDock::QuantityTableDock(const Names& names, Printing::TableMaker make,
                                     const document::SurveyDocument& document, Printing& printing,
                                     QWidget* parent)
    : QDockWidget(names.title, parent),
      document_(document),
      make_(make),
      model_(new QuantityTableModel(this)),
      view_(new QTableView(this)) {
    setObjectName(names.objectName);
    const QString key = QStringLiteral("(&%1)").arg(names.key);
    toggleViewAction()->setText(names.title + key);
    view_->setModel(model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(view_);
    const auto action = [&](const QString& text, auto act) {
        QAction* added = new QAction(text.arg(names.title), this);
        connect(added, &QAction::triggered, this, act);
        fileActions_ << added;
    };
    action(QStringLiteral("打印%1") + key + QStringLiteral("…"),
           [this, &printing] { printing.printTable(document_, make_); });
    action(QStringLiteral("%1预览…"),
           [this, &printing] { printing.previewTable(document_, make_); });
    action(QStringLiteral("导出%1为 PDF…"),
           [this, &printing] { printing.exportTablePdf(document_, make_); });
    action(QStringLiteral("导出%1为 Excel…"),
           [this] { exportTableWorkbook(make_(document_), document_, this); });
    connect(&document, &document::SurveyDocument::changed, this, &QuantityTableDock::follow);
    hide();
    follow();
}

void QuantityTableDock::follow() {
    const bool cutFill = document_.survey().kind() == section::SurveyKind::CutFill;
    toggleViewAction()->setEnabled(cutFill);
    for (QAction* action : fileActions_) action->setEnabled(cutFill);
    if (!cutFill) {
        hide();
        model_->show({});
    } else if (isVisible()) {
        showRows();
    }
}

void QuantityTableDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    showRows();
}

void QuantityTableDock::showRows() {
    // Restoring the layout of a closed outline may show the pane before
    // follow() hides it: there is no table to make then.
    const bool cutFill = document_.survey().kind() == section::SurveyKind::CutFill;
    model_->show(cutFill ? make_(document_) : printout::QuantityTable{});
}

}  // namespace window
