// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_dock.h"

#include "window/table/survey_table_view.h"

namespace window {

SurveyTableDock::SurveyTableDock(document::SurveyDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("测量数据表"), parent),
      view_(new SurveyTableView(document, this)) {
    setObjectName(QStringLiteral("surveyTableDock"));
    setWidget(view_);
}

}  // namespace window
