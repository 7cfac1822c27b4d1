// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel beside the form that shows the survey: the section being typed,
// growing point by point, and after a calculation every section in turn
// (◀ ▶ or the list), each titled by its station or number with its area and
// its number of points, and under the title what looks wrong in it. A
// cut-and-fill survey is paged through the same way, each section drawn with
// its two lines and shaded regions and titled with its cut and fill areas.
// Under the drawing, beside the pager: 全图 and the screen's 竖向放大; the
// zoom goes back to the whole section when another one is shown, the
// exaggeration stays.

#include <QWidget>
#include <set>
#include <vector>

#include "dialogue/user_interface.h"
#include "section/checks.h"

namespace document {
class SurveyDocument;
struct Change;
}  // namespace document

class QComboBox;
class QLabel;
class QToolButton;

namespace window {

class SectionCanvas;

class SectionPanel : public QWidget {
    Q_OBJECT

  public:
    // Shows the document's survey, following its every change.
    explicit SectionPanel(const document::SurveyDocument& document, QWidget* parent = nullptr);

    // The section being entered, as far as it goes.
    void showDraft(const section::SectionDraft& draft);
    // Every section of the document's survey, to page through; the first one
    // shown (after a typed run, say, whose sections were shown as drafts).
    void showSurvey();
    // Section i (1-based) of the survey shown.
    void showSection(int i);
    // The section of the table's current row with its point j ringed; no
    // point ringed for j = 0 (a station or spacing cell), nor for section 0
    // (the table's empty row), which leaves the section on show as it is.
    // `design` for a point of a cut-and-fill survey's design line.
    void showPoint(int i, int j, bool design = false);

    SectionCanvas& canvas() const { return *canvas_; }
    // The words of the title and the caption, as written.
    QString title() const;
    QString caption() const;
    // The shown section's warnings, one a line; empty when there are none.
    QString warning() const;

  private:
    int sectionCount() const;
    // The title, the caption and the drawing of section i, 0 for none.
    void draw(int i);
    // Another section than the one on show fits the window.
    void fitAnother(int shown);
    QWidget* createViewTools();
    QStringList warningsAt(int i) const;
    void follow(const document::Change& change);
    void markWarnings(int first, int last);

    SectionCanvas* canvas_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* warning_ = nullptr;
    QWidget* pager_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QComboBox* list_ = nullptr;
    QComboBox* exaggeration_ = nullptr;
    const document::SurveyDocument& document_;
    // The sections marked with a warning in the list.
    std::set<int> marked_;
    int shown_ = 0;  // the section on show; a draft's number negated
    int markedSection_ = 0;
    int markedPoint_ = 0;
    bool markedDesign_ = false;
};

}  // namespace window
