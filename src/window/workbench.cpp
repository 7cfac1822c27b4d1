// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/workbench.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>

#include "window/table/survey_table_dock.h"
#include "window/views/results_overview.h"

namespace window {

namespace {

QString key(section::SurveyKind kind, const char* what) {
    return QStringLiteral("window/%1/%2")
        .arg(kind == section::SurveyKind::CutFill ? QStringLiteral("cutFill")
                                                  : QStringLiteral("closedOutline"),
             QString::fromLatin1(what));
}

}  // namespace

Workbench::Workbench(QMainWindow& window, QDockWidget& drawing, SurveyTableDock& table,
                     QDockWidget& warnings, const document::SurveyDocument& document)
    : QObject(&window),
      window_(window),
      drawing_(drawing),
      table_(table),
      warnings_(warnings),
      document_(document),
      stack_(new QStackedWidget),
      bench_(new QSplitter(Qt::Vertical)),
      results_(new ResultsOverview(document)) {
    stack_->addWidget(window.takeCentralWidget());
    results_->setWindowFlags(Qt::Widget);
    // Below the drawing it may be narrow: the table at the left needs the room.
    results_->setMinimumSize(320, 160);
    bench_->addWidget(results_);
    bench_->setChildrenCollapsible(false);
    stack_->addWidget(bench_);
    showPage(0);
    window.setCentralWidget(stack_);
    connect(&document, &document::SurveyDocument::changed, this, &Workbench::follow);
}

void Workbench::follow() {
    const section::SurveyKind kind = document_.survey().kind();
    if (kind == shown_) return;
    remember();
    shown_ = kind;
    if (kind == section::SurveyKind::CutFill) {
        // The drawing leaves its dock for the centre, above the results.
        bench_->insertWidget(0, drawing_.widget());
        bench_->setStretchFactor(0, 3);
        bench_->setStretchFactor(1, 2);
        drawing_.hide();
        drawing_.toggleViewAction()->setEnabled(false);
        table_.show();
        showPage(1);
        results_->showSurvey();
    } else {
        drawing_.setWidget(bench_->widget(0));
        drawing_.toggleViewAction()->setEnabled(true);
        drawing_.show();
        showPage(0);
    }
    // The first time, the table as wide as its columns, which are not the form's.
    // The drawing keeps the larger part.
    if (!restore(kind) && kind == section::SurveyKind::CutFill) table_.fit(0.4);
}

// The page not shown asks for no room: the form's window stays as small as
// the form, the workbench's as small as the drawing allows.
void Workbench::showPage(int index) {
    for (int k = 0; k < stack_->count(); ++k)
        stack_->widget(k)->setSizePolicy(
            k == index ? QSizePolicy::Preferred : QSizePolicy::Ignored,
            k == index ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    stack_->setCurrentIndex(index);
}

void Workbench::remember() const {
    QSettings settings;
    settings.setValue(key(shown_, "docks"), window_.saveState());
    if (shown_ == section::SurveyKind::CutFill)
        settings.setValue(key(shown_, "split"), bench_->saveState());
}

bool Workbench::restore(section::SurveyKind kind) {
    const QSettings settings;
    const QByteArray docks = settings.value(key(kind, "docks")).toByteArray();
    if (docks.isEmpty()) return false;
    // Shown for the survey just put in, the warnings are not hidden again.
    const bool warned = !warnings_.isHidden();
    window_.restoreState(docks);
    warnings_.setVisible(warned);
    if (kind == section::SurveyKind::CutFill) {
        bench_->restoreState(settings.value(key(kind, "split")).toByteArray());
        // Its drawing is in the centre, never in the dock.
        drawing_.hide();
    }
    return true;
}

}  // namespace window
