// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/design/road_design_dock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>
#include <set>

#include "window/design/design_rows.h"
#include "window/design/design_table_model.h"

namespace window {

DesignTableView::DesignTableView(document::SurveyDocument& document, section::DesignTable table,
                                 QWidget* parent)
    : QTableView(parent), model_(new DesignTableModel(document, table, this)) {
    setModel(model_);
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    setSelectionMode(ExtendedSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Every column wide enough for a station, however short its title.
    horizontalHeader()->setMinimumSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("K10+000.000")) + 12);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    addStep(QStringLiteral("插入行"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
            &DesignTableView::insertRowBelow);
    addStep(QStringLiteral("删除行"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
            &DesignTableView::removeSelectedRows);
    addStep(QStringLiteral("粘贴"), QKeySequence::Paste, &DesignTableView::pasteClipboard);
}

void DesignTableView::addStep(const QString& text, const QKeySequence& keys,
                              void (DesignTableView::*step)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, step);
    addAction(action);
}

void DesignTableView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addActions(actions());
    menu.exec(event->globalPos());
}

void DesignTableView::pasteClipboard() {
    const QModelIndex at = currentIndex().isValid() ? currentIndex() : model_->index(0, 0);
    model_->paste(at.row(), at.column(), QApplication::clipboard()->text());
}

void DesignTableView::insertRowBelow() {
    model_->insertRow(currentIndex().isValid() ? currentIndex().row() : -1);
}

void DesignTableView::removeSelectedRows() {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty() && currentIndex().isValid()) rows.insert(currentIndex().row());
    model_->removeRows({rows.begin(), rows.end()});
}

RoadDesignDock::RoadDesignDock(document::SurveyDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("道路设计"), parent), tabs_(new QTabWidget), message_(new QLabel) {
    setObjectName(QStringLiteral("roadDesignDock"));
    for (const section::DesignTable table : kDesignTables) {
        auto* view = new DesignTableView(document, table);
        views_[int(table)] = view;
        tabs_->addTab(view, designTableName(table));
        connect(view->tableModel(), &DesignTableModel::refused, this, &RoadDesignDock::refused);
    }
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->hide();
    connect(&document, &document::SurveyDocument::changed, message_, &QLabel::hide);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    layout->addWidget(message_);
    setWidget(page);
}

QString RoadDesignDock::shownMessage() const {
    return message_->isHidden() ? QString() : message_->text();
}

void RoadDesignDock::refused(const QString& text, section::DesignTable table, int row, int column) {
    message_->setText(text);
    message_->show();
    emit message(text);
    if (row < 0) return;
    DesignTableView* view = views_[int(table)];
    tabs_->setCurrentWidget(view);
    view->tableModel()->mark(row, column, text);
    view->setCurrentIndex(view->model()->index(row, std::max(column, 0)));
}

}  // namespace window
