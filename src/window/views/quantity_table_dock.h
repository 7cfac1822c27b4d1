// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of a cut-and-fill survey in a pane of its own (视图 ▸ 路基设计表,
// 路基土石方数量计算表, 土方调配表), read-only: the rows of every page and the
// 合计, worked out by its producer from the document's survey whenever it
// changes while the pane is shown; and the table's ways out (the print
// dialog, the preview, a PDF, an Excel workbook) as actions for the 文件
// menu. A closed outline has no such table: the pane is hidden and its
// actions disabled.

#include <QDockWidget>
#include <QList>

#include "window/printing/printing.h"

namespace document {
class SurveyDocument;
}

class QAction;
class QTableView;

namespace window {

class QuantityTableModel;

class QuantityTableDock : public QDockWidget {
    Q_OBJECT

  public:
    // The table's title, as its pane and its actions name it ("路基设计表"),
    // the letter of its entries in the menus, and the pane's name in the
    // window's saved layout.
    struct Names {
        QString title;
        QChar key;
        QString objectName;
    };
    // Starts hidden; follows `document`, prints through `printing`.
    QuantityTableDock(const Names& names, Printing::TableMaker make,
                      const document::SurveyDocument& document, Printing& printing,
                      QWidget* parent = nullptr);

    const QList<QAction*>& fileActions() const { return fileActions_; }
    QTableView& view() const { return *view_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void follow();
    void showRows();

    const document::SurveyDocument& document_;
    Printing::TableMaker make_;
    QuantityTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QList<QAction*> fileActions_;
};

}  // namespace window
