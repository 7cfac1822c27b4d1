// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/road_table_dock.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QTableView>

#include "document/survey_document.h"
#include "printout/quantity_table.h"
#include "section/any_survey.h"
#include "section/road_table.h"
#include "window/printing/printing.h"
#include "window/printing/quantity_table_print.h"

namespace window {

// The rows as the table shows them; the column heads with their units below.
class RoadTableModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(std::vector<section::RoadTableRow> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(section::kRoadTableCells) + 1;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const section::RoadTableRow& row = rows_[std::size_t(index.row())];
        const int c = index.column();
        if (role == Qt::DisplayRole)
            return QString::fromStdString(c == 0 ? row.station : row.cells[std::size_t(c - 1)]);
        if (role == Qt::TextAlignmentRole) {
            const bool figure = c > 0 && *section::kRoadTableColumns[c - 1].unit;
            return QVariant::fromValue(figure ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignCenter | Qt::AlignVCenter);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (section == 0) return QStringLiteral("桩号");
        const section::RoadTableColumn& column = section::kRoadTableColumns[section - 1];
        const QString title = QString::fromUtf8(column.title);
        return *column.unit ? title + QStringLiteral("\n(%1)").arg(QString::fromUtf8(column.unit))
                            : title;
    }

  private:
    std::vector<section::RoadTableRow> rows_;
};

RoadTableDock::RoadTableDock(const document::SurveyDocument& document, Printing& printing,
                             QWidget* parent)
    : QDockWidget(QStringLiteral("路基设计表"), parent),
      document_(document),
      model_(new RoadTableModel(this)),
      view_(new QTableView(this)) {
    setObjectName(QStringLiteral("roadTableDock"));
    toggleViewAction()->setText(QStringLiteral("路基设计表(&B)"));
    view_->setModel(model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(view_);
    const auto action = [&](const QString& text, auto act) {
        QAction* added = new QAction(text, this);
        connect(added, &QAction::triggered, this, act);
        fileActions_ << added;
    };
    action(QStringLiteral("打印路基设计表(&B)…"),
           [this, &printing] { printing.printRoadTable(document_); });
    action(QStringLiteral("路基设计表预览…"),
           [this, &printing] { printing.previewRoadTable(document_); });
    action(QStringLiteral("导出路基设计表为 PDF…"),
           [this, &printing] { printing.exportRoadTablePdf(document_); });
    action(QStringLiteral("导出路基设计表为 Excel…"),
           [this] { exportTableWorkbook(roadTableOf(document_), document_, this); });
    connect(&document, &document::SurveyDocument::changed, this, &RoadTableDock::follow);
    hide();
    follow();
}

void RoadTableDock::follow() {
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

void RoadTableDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    showRows();
}

void RoadTableDock::showRows() {
    model_->show(section::roadTableRows(document_.survey()));
}

}  // namespace window
