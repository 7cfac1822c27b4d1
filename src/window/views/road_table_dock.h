// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 视图 ▸ 路基设计表: the 路基设计表 of a cut-and-fill survey in a pane of its
// own, read-only, worked out from the document's survey whenever it changes
// while the pane is shown; and the table's ways out (the print dialog, the
// preview, a PDF, an Excel workbook) as actions for the 文件 menu. A closed
// outline has no such table: the pane is hidden and its actions disabled.

#include <QDockWidget>
#include <QList>

namespace document {
class SurveyDocument;
}

class QAction;
class QTableView;

namespace window {

class Printing;
class RoadTableModel;

class RoadTableDock : public QDockWidget {
    Q_OBJECT

  public:
    // Starts hidden; follows `document`, prints through `printing`.
    RoadTableDock(const document::SurveyDocument& document, Printing& printing,
                  QWidget* parent = nullptr);

    const QList<QAction*>& fileActions() const { return fileActions_; }
    QTableView& view() const { return *view_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void follow();
    void showRows();

    const document::SurveyDocument& document_;
    RoadTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QList<QAction*> fileActions_;
};

}  // namespace window
