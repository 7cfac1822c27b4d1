// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 编辑 ▸ 道路设计: the road design's tables (纵断面, 路幅, 边坡, 边沟, 断链, 土石分类,
// 换算系数, 构造物, 运距) in tabs of a dock beside the survey table, each for typing and pasting
// like it, with rows put in (Ctrl+Insert) and taken out (Ctrl+Delete). A
// refusal is written under the tables and its cell marked, in whichever
// table it is.

#include <QDockWidget>
#include <QTableView>
#include <array>

#include "document/survey_document.h"

class QLabel;
class QTabWidget;

namespace window {

class DesignTableModel;

class DesignTableView : public QTableView {
    Q_OBJECT

  public:
    DesignTableView(document::SurveyDocument& document, section::DesignTable table,
                    QWidget* parent = nullptr);
    DesignTableModel* tableModel() const { return model_; }

    void pasteClipboard();
    void insertRowBelow();
    void removeSelectedRows();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void addStep(const QString& text, const QKeySequence& keys, void (DesignTableView::*step)());
    DesignTableModel* model_;
};

class RoadDesignDock : public QDockWidget {
    Q_OBJECT

  public:
    explicit RoadDesignDock(document::SurveyDocument& document, QWidget* parent = nullptr);

    DesignTableView* view(section::DesignTable table) const { return views_[int(table)]; }
    QTabWidget* tabs() const { return tabs_; }
    // The last refusal, shown under the tables until the next change.
    QString shownMessage() const;

  signals:
    void message(const QString& text);

  private:
    void refused(const QString& message, section::DesignTable table, int row, int column);

    QTabWidget* tabs_;
    QLabel* message_;
    std::array<DesignTableView*, section::kDesignTableCount> views_{};
};

}  // namespace window
