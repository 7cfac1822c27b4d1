// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey table as a spreadsheet: typing replaces a cell, Enter commits and
// moves down (back to the column a run of Tabs started from), Tab moves right
// and on to the next row, F2 edits in place; a value the file reader would
// refuse keeps the cell in editing and is told beside it and by `message`.
// The keys of the rows' steps are in docs/table.md.

#include <QTableView>

#include "document/survey_document.h"
#include "section/survey_lines.h"

class QAction;

namespace window {

class SurveyTableModel;

class SurveyTableView : public QTableView {
    Q_OBJECT

  public:
    explicit SurveyTableView(document::SurveyDocument& document, QWidget* parent = nullptr);

    SurveyTableModel* tableModel() const { return model_; }
    // 改为输入的设计线 of the current row's section.
    QAction* keepDesignAction() const { return keepDesign_; }
    // The keyboard in the table on its current cell: the first point's 高程H
    // when none was chosen before.
    void focusCurrentCell();

    // Every column as wide as its heading and its values (a value of the
    // widest kind even when the rows shown are narrower); the width the table
    // needs to show them all beside its row numbers.
    int fitColumns();

    void copySelection();
    void pasteClipboard();
    // Rows whose 高程H and 距离S are both selected lose their points (as such
    // a row of a file has none); any other value cell cannot be cleared.
    void clearSelection();

  signals:
    // The section and point of the current cell: point 0 on a station or
    // spacing cell or a section without points; section 0 on the empty row.
    // `design` for a point of a cut-and-fill survey's design line.
    void currentPointChanged(int section, int point, bool design);
    // A refusal or a hint for the status bar.
    void message(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    friend class TableDelegate;
    bool chosen_ = false;  // a cell was chosen by the user or the program
    // After a commit by Enter, Tab or Backtab, or those keys without an editor.
    void moveOn(int key);
    QAction* addStep(const QString& text, const QKeySequence& keys,
                     void (SurveyTableView::*step)());
    void tell(const QString& refusal);
    std::vector<int> selectedRows() const;
    void goTo(int row, int column);

    void insertPointAbove();
    void insertPointBelow();
    void deletePoints();
    void insertSection();
    void deleteSection();
    void movePointUp();
    void movePointDown();

    SurveyTableModel* model_;
    std::vector<section::SurveyLine> lines_;  // the lines of the survey shown
    QList<QAction*> steps_;
    QAction* keepDesign_;  // 改为输入的设计线, in the menu of a generated line's rows
    int tabStart_ = -1;    // the column a run of Tabs started from
};

}  // namespace window
