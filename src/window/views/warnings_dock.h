// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 计算提醒: what looks wrong in the calculation on screen (the document's
// warnings), listed in a pane under the drawing whenever the survey changes,
// never in a dialog: the prompts keep the keyboard and a warning holds up
// nothing. A new survey with warnings (a finished calculation, an opened
// file) shows the pane; an edit shows it only when its first warning comes,
// so that a pane closed on purpose stays closed while typing. A word in the
// status bar opens the pane again; clicking a warning shows its section in
// the drawing.
// Above the warnings, what reading the survey's file told (a conversion from
// feet, lines in pieces with gaps), for as long as that survey is shown: a
// survey opened with such notes shows the pane, once.

#include <QDockWidget>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "document/change.h"
#include "section/checks.h"

namespace document {
class SurveyDocument;
}

class QIcon;
class QLabel;
class QListWidget;
class QStatusBar;

namespace window {

class WarningsDock : public QDockWidget {
    Q_OBJECT

  public:
    // Its word goes into `bar`; the pane starts hidden and follows `document`.
    WarningsDock(const document::SurveyDocument& document, QStatusBar& bar,
                 QWidget* parent = nullptr);

    QStringList lines() const;
    // "⚠ 3 条计算提醒", "⚠ 3 条计算提醒，1 条读入说明", "1 条读入说明"; empty for none.
    QString statusWord() const;

  signals:
    void sectionChosen(int section);

  private:
    void surveyChanged(const document::Change& change);
    // The reading's notes listed anew when they are not those listed; true then.
    bool listReading();

    const document::SurveyDocument& document_;
    // As listed: an edit that leaves them as they were lays nothing out again.
    std::vector<section::SurveyWarning> shown_;
    QStringList reading_;  // the reading's notes, listed first
    QListWidget* list_ = nullptr;
    QLabel* word_ = nullptr;
};

QIcon warningIcon(const QWidget& widget);

// The texts of section i's warnings (they come in section order).
QStringList warningsOf(const std::vector<section::SurveyWarning>& warnings, int i);

}  // namespace window
