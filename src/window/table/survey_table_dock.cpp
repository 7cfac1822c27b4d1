// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/survey_table_dock.h"

#include <QMainWindow>
#include <QStyle>
#include <QTimer>
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
    if (fitted_) return;
    fitted_ = true;
    fit();
}

void SurveyTableDock::fit(double share) {
    auto* mainWindow = qobject_cast<QMainWindow*>(parentWidget());
    if (!mainWindow || isFloating()) return;
    // Docks are sized by a window that is laid out: a file opened from the
    // command line fills the table before the window shows.
    if (!mainWindow->isVisible()) {
        QTimer::singleShot(0, this, [this, share] { fit(share); });
        return;
    }
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, this);
    mainWindow->resizeDocks(
        {this}, {std::min(view_->fitColumns() + frame, int(mainWindow->width() * share))},
        Qt::Horizontal);
}

}  // namespace window
