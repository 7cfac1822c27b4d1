// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 计算提醒: what looks wrong in the calculation on screen (the document's
// warnings), listed once after each finished calculation in a pane
// under the drawing, never in a dialog: the prompts keep the keyboard and a
// warning holds up nothing. A word in the status bar opens the pane again;
// clicking a warning shows its section in the drawing.

#include <QDockWidget>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "document/survey_document.h"

class QIcon;
class QLabel;
class QListWidget;
class QStatusBar;

namespace window {

class WarningsDock : public QDockWidget {
    Q_OBJECT

  public:
    // Its word goes into `bar`; the pane starts hidden.
    WarningsDock(QStatusBar& bar, QWidget* parent = nullptr);

    // Lists the warnings of a finished calculation and shows the pane; hides
    // it, and the word, when there are none.
    void tell(const document::SurveyDocument& document);

    QStringList lines() const;
    QString statusWord() const;

  signals:
    void sectionChosen(int section);

  private:
    QListWidget* list_ = nullptr;
    QLabel* word_ = nullptr;
};

QIcon warningIcon(const QWidget& widget);

// The texts of section i's warnings (they come in section order).
QStringList warningsOf(const std::vector<section::SurveyWarning>& warnings, int i);

}  // namespace window
