// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_dock.h"

#include <QMainWindow>
#include <QStyle>
#include <algorithm>

#include "window/table/survey_table_view.h"

namespace window {

SurveyTableDock::SurveyTableDock(document::SurveyDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("测量数据表"), parent),
      view_(new SurveyTableView(document, this)) {
    setObjectName(QStringLiteral("surveyTableDock"));
    setWidget(view_);
}

void SurveyTableDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    auto* mainWindow = qobject_cast<QMainWindow*>(parentWidget());
    if (fitted_ || !mainWindow || isFloating()) return;
    fitted_ = true;
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, this);
    mainWindow->resizeDocks(
        {this}, {std::min(view_->fitColumns() + frame, mainWindow->width() / 2)}, Qt::Horizontal);
}

}  // namespace window
