// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <map>
#include <set>

#include "window/table/survey_table_model.h"

namespace window {

// Commits on Enter and Tab itself, so that a refused value keeps the editor open.
class TableDelegate : public QStyledItemDelegate {
  public:
    explicit TableDelegate(SurveyTableView& view) : QStyledItemDelegate(&view), view_(view) {}

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        refusal_ = line ? view_.model_->commit(index, line->text()) : QString();
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
                key == Qt::Key_Backtab) {
                emit commitData(editor);
                if (!refusal_.isEmpty()) {
                    QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), refusal_,
                                       editor);
                    return true;
                }
                emit closeEditor(editor, NoHint);
                view_.moveOn(key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    SurveyTableView& view_;
    mutable QString refusal_;
};

SurveyTableView::SurveyTableView(document::SurveyDocument& document, QWidget* parent)
    : QTableView(parent), model_(new SurveyTableModel(document, this)) {
    setModel(model_);
    lines_ = model_->shape().lines;
    // A survey of other lines is a new table: the keyboard starts again on its first point.
    connect(&document, &document::SurveyDocument::changed, this,
            [this](const document::Change& change) {
                if (change.kind != document::Change::Kind::Survey) return;
                if (model_->shape().lines != lines_) chosen_ = false;
                lines_ = model_->shape().lines;
            });
    setItemDelegate(new TableDelegate(*this));
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    setSelectionMode(ExtendedSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    connect(model_, &SurveyTableModel::refused, this, &SurveyTableView::message);
    // The current row's point again after rows came or went above it.
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this] { currentChanged(currentIndex(), {}); });
    addStep(QStringLiteral("在上方插入观测点"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
            &SurveyTableView::insertPointAbove);
    addStep(QStringLiteral("在下方插入观测点"), QKeySequence(Qt::ALT | Qt::Key_Insert),
            &SurveyTableView::insertPointBelow);
    addStep(QStringLiteral("删除观测点"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
            &SurveyTableView::deletePoints);
    addStep(QStringLiteral("上移观测点"), QKeySequence(Qt::ALT | Qt::Key_Up),
            &SurveyTableView::movePointUp);
    addStep(QStringLiteral("下移观测点"), QKeySequence(Qt::ALT | Qt::Key_Down),
            &SurveyTableView::movePointDown);
    addStep(QStringLiteral("插入断面"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert),
            &SurveyTableView::insertSection);
    addStep(QStringLiteral("删除断面"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
            &SurveyTableView::deleteSection);
    addStep(QStringLiteral("复制"), QKeySequence::Copy, &SurveyTableView::copySelection);
    addStep(QStringLiteral("粘贴"), QKeySequence::Paste, &SurveyTableView::pasteClipboard);
    keepDesign_ = new QAction(QStringLiteral("改为输入的设计线"), this);
    connect(keepDesign_, &QAction::triggered, this,
            [this] { tell(model_->keepDesignLine(currentIndex().row())); });
}

int SurveyTableView::fitColumns() {
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 4;
    const int widestValue = fontMetrics().horizontalAdvance(QStringLiteral("-12345.678")) + margins;
    int width = verticalHeader()->sizeHint().width() + 2 * frameWidth() +
                verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int need = std::max(
            {widestValue, sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column)});
        setColumnWidth(column, need);
        width += need;
    }
    return width;
}

QAction* SurveyTableView::addStep(const QString& text, const QKeySequence& keys,
                                  void (SurveyTableView::*step)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, step);
    addAction(action);
    steps_ << action;
    return action;
}

void SurveyTableView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (int k = 0; k < steps_.size(); ++k) {
        if (k == 3 || k == 5 || k == 7) menu.addSeparator();
        menu.addAction(steps_[k]);
    }
    // Only a section whose design line the road design generated has one to keep.
    const int section = model_->place(currentIndex().row()).section;
    if (model_->generated({section, 0, section::SurveyLine::Design})) {
        menu.addSeparator();
        menu.addAction(keepDesign_);
    }
    menu.exec(event->globalPos());
}

void SurveyTableView::tell(const QString& refusal) {
    if (!refusal.isEmpty())
        QToolTip::showText(mapToGlobal(visualRect(currentIndex()).bottomLeft()), refusal, this);
}

void SurveyTableView::goTo(int row, int column) {
    chosen_ = true;
    row = std::clamp(row, 0, model_->rowCount() - 1);
    setCurrentIndex(model_->index(row, std::clamp(column, 0, model_->columnCount() - 1)));
}

void SurveyTableView::focusCurrentCell() {
    // Qt makes the first cell current when the table is shown; only a cell the
    // user chose counts.
    if (!chosen_ || !currentIndex().isValid()) goTo(0, model_->elevationColumn());
    setFocus(Qt::ShortcutFocusReason);
}

void SurveyTableView::moveOn(int key) {
    const QModelIndex at = currentIndex();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int column = tabStart_ >= 0 ? tabStart_ : at.column();
        tabStart_ = -1;
        goTo(at.row() + 1, column);
        return;
    }
    if (tabStart_ < 0) tabStart_ = at.column();
    // The next (or previous) editable cell, on along the rows.
    const int columns = model_->columnCount();
    const int step = key == Qt::Key_Backtab ? -1 : 1;
    for (int k = at.row() * columns + at.column() + step;
         k >= 0 && k < model_->rowCount() * columns; k += step) {
        const QModelIndex next = model_->index(k / columns, k % columns);
        if (model_->flags(next) & Qt::ItemIsEditable) {
            if (next.row() != at.row()) tabStart_ = -1;
            setCurrentIndex(next);
            return;
        }
    }
}

void SurveyTableView::keyPressEvent(QKeyEvent* event) {
    chosen_ = true;
    const int key = event->key();
    if (state() != EditingState && event->modifiers() == Qt::NoModifier) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) return moveOn(key);
        if (key == Qt::Key_Delete) return clearSelection();
        if (key == Qt::Key_F2) {
            edit(currentIndex(), EditKeyPressed, event);
            // In place: the cursor at the end, nothing selected.
            if (auto* line = qobject_cast<QLineEdit*>(indexWidget(currentIndex())))
                line->deselect();
            return;
        }
    }
    if (key == Qt::Key_Backtab && state() != EditingState) return moveOn(key);
    // Typed on a cell that takes nothing (a new survey's 高程H before its
    // station, say): told why, not dropped.
    if (state() != EditingState && currentIndex().isValid() && event->text().trimmed().size() > 0 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        !(model_->flags(currentIndex()) & Qt::ItemIsEditable))
        return tell(model_->commit(currentIndex(), event->text()));
    // Moving away forgets where the Tabs began; typing into the next cell does not.
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab && event->text().isEmpty()) tabStart_ = -1;
    QTableView::keyPressEvent(event);
}

void SurveyTableView::mousePressEvent(QMouseEvent* event) {
    chosen_ = true;
    QTableView::mousePressEvent(event);
}

void SurveyTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    const SurveyTableModel::Place at = model_->place(current.row());
    const bool pointCell =
        current.column() == model_->elevationColumn() || current.column() == model_->offsetColumn();
    emit currentPointChanged(at.section, pointCell ? at.point : 0,
                             at.line == section::SurveyLine::Design);
}

std::vector<int> SurveyTableView::selectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty() && currentIndex().isValid()) rows.insert(currentIndex().row());
    return {rows.begin(), rows.end()};
}

void SurveyTableView::copySelection() {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
    QApplication::clipboard()->setText(model_->copy(cells));
}

void SurveyTableView::pasteClipboard() {
    const QModelIndex at = currentIndex();
    if (!at.isValid()) return;
    tell(model_->paste(at.row(), at.column(), QApplication::clipboard()->text()));
}

void SurveyTableView::clearSelection() {
    std::map<int, std::set<int>> columnsOf;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        columnsOf[index.row()].insert(index.column());
    std::vector<int> rows;
    for (const auto& [row, columns] : columnsOf) {
        const bool h = columns.contains(model_->elevationColumn());
        const bool s = columns.contains(model_->offsetColumn());
        if (model_->place(row).point == 0 || (!h && !s)) continue;
        if (h != s) {
            const QString refusal =
                tablePlace(row, h ? model_->elevationColumn() : model_->offsetColumn()) +
                (h ? QStringLiteral("没有高程") : QStringLiteral("没有距离")) +
                QStringLiteral("：高程和距离不能清空，要删除观测点请选中这两格或整行。");
            emit message(refusal);
            return tell(refusal);
        }
        rows.push_back(row);
    }
    if (!rows.empty()) tell(model_->deletePoints(rows));
}

void SurveyTableView::insertPointAbove() {
    tell(model_->insertPoint(currentIndex().row(), false));
}

void SurveyTableView::insertPointBelow() {
    const int row = currentIndex().row();
    if (const QString refusal = model_->insertPoint(row, true); !refusal.isEmpty())
        tell(refusal);
    else
        goTo(row + 1, currentIndex().column());
}

void SurveyTableView::deletePoints() {
    tell(model_->deletePoints(selectedRows()));
}

void SurveyTableView::insertSection() {
    const SurveyTableModel::Place at = model_->place(currentIndex().row());
    const int before = model_->dataRows();
    if (const QString refusal = model_->insertSection(currentIndex().row()); !refusal.isEmpty())
        return tell(refusal);
    // Appended: the first of the rows it added.
    goTo(at.section == 0 ? before : model_->rowOf(at.section, 0),
         model_->column(SurveyTableModel::Key));
}

void SurveyTableView::deleteSection() {
    tell(model_->deleteSection(currentIndex().row()));
}

void SurveyTableView::movePointUp() {
    const QModelIndex at = currentIndex();
    if (const QString refusal = model_->movePoint(at.row(), true); !refusal.isEmpty())
        tell(refusal);
    else
        goTo(at.row() - 1, at.column());
}

void SurveyTableView::movePointDown() {
    const QModelIndex at = currentIndex();
    if (const QString refusal = model_->movePoint(at.row(), false); !refusal.isEmpty())
        tell(refusal);
    else
        goTo(at.row() + 1, at.column());
}

}  // namespace window
