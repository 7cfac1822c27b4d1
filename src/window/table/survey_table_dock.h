// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey table in a dock of the main window: 测量数据表.

#include <QDockWidget>

#include "document/survey_document.h"

namespace window {

class SurveyTableView;

class SurveyTableDock : public QDockWidget {
    Q_OBJECT

  public:
    explicit SurveyTableDock(document::SurveyDocument& document, QWidget* parent = nullptr);
    SurveyTableView* view() const { return view_; }

  private:
    SurveyTableView* view_;
};

}  // namespace window
