// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's two layouts, following the kind of survey the document holds.
// A closed outline: the typed form in the centre, exactly as it has always
// been, the drawing docked beside it. A cut-and-fill survey, which has no
// prompts and nothing for the form's boxes: the workbench, the section drawing
// large in the centre, the results below it and the survey table docked at
// the left. Each kind's layout (its docks, the split between drawing and
// results) is remembered, across runs too; the warnings pane is left as its
// own rule has it (a new survey with warnings or notes shows it).

#include <QObject>

#include "document/survey_document.h"

class QDockWidget;
class QMainWindow;
class QSplitter;
class QStackedWidget;
class QWidget;

namespace window {

class ResultsOverview;
class SurveyTableDock;

class Workbench : public QObject {
    Q_OBJECT

  public:
    // Takes the window's central widget (the form) into a stack of its own.
    Workbench(QMainWindow& window, QDockWidget& drawing, SurveyTableDock& table,
              QDockWidget& warnings, const document::SurveyDocument& document);

    // The layout for the kind held, the one left remembered first.
    void follow();
    // The layout shown now remembered (the window is closing).
    void remember() const;

    section::SurveyKind shown() const { return shown_; }
    ResultsOverview& results() const { return *results_; }

  private:
    // False when nothing was remembered for the kind.
    bool restore(section::SurveyKind kind);
    void showPage(int index);

    QMainWindow& window_;
    QDockWidget& drawing_;
    SurveyTableDock& table_;
    QDockWidget& warnings_;
    const document::SurveyDocument& document_;
    QStackedWidget* stack_;
    QSplitter* bench_;
    ResultsOverview* results_;
    section::SurveyKind shown_ = section::SurveyKind::ClosedOutline;
};

}  // namespace window
