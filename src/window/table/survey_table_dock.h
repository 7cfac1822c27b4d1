// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey table in a dock of the main window: 测量数据表. Shown the first
// time, it is made wide enough for every column, up to half the window.

#include <QDockWidget>

#include "document/survey_document.h"

namespace window {

class SurveyTableView;

class SurveyTableDock : public QDockWidget {
    Q_OBJECT

  public:
    explicit SurveyTableDock(document::SurveyDocument& document, QWidget* parent = nullptr);
    SurveyTableView* view() const { return view_; }
    // Wide enough for every column, up to `share` of the window (docked only).
    void fit(double share = 0.5);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    SurveyTableView* view_;
    bool fitted_ = false;
};

}  // namespace window
