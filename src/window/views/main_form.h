// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's only window: the title, the schematic of a cross-section, the
// results panel with its twelve text boxes and the three command buttons.
// It works on the survey document the main window owns: a finished typed run
// or an opened file becomes its survey, and the boxes show what a finished
// run of that survey leaves whenever it changes (an undo, an edit); while the
// document holds a cut-and-fill survey they are empty, having nothing of a
// closed run to show. Its print button prints through the window's printing.

#include <QWidget>
#include <array>
#include <functional>

#include "dialogue/run.h"
#include "dialogue/user_interface.h"
#include "document/survey_document.h"
#include "section/any_survey.h"
#include "window/printing/printing.h"
#include "window/views/qt_user_interface.h"

class QLineEdit;

namespace window {

class MainForm : public QWidget, public PromptSurface {
    Q_OBJECT

  public:
    MainForm(document::SurveyDocument& document, Printing& printing, QWidget* parent = nullptr);

    QLineEdit* textBox(section::TextBox box) const override;
    QWidget* promptParent() override { return this; }
    void showDraft(const section::SectionDraft& draft) override { emit draftShown(draft); }
    document::SurveyDocument& document() { return document_; }
    const document::SurveyDocument& document() const { return document_; }

    // Calculates a survey opened from a file as a typed run of the same data
    // would, without prompts: the survey and the boxes end as that run leaves
    // them, one step 打开文件 of the document; when it does not calculate,
    // nothing changes and the reason comes back. The file's 工程信息 and
    // what its reading told come with it. An opened survey has its file: the
    // last typed calculation's copy stays as it is.
    document::Edited showSurvey(section::Survey data, const QString& fileName = {},
                                section::ProjectInfo project = {},
                                section::ReadingReport reading = {});

    // Asked before a typed run replaces a survey: false keeps it, no prompt shown.
    void setSurveyGuard(std::function<bool()> guard) { surveyGuard_ = std::move(guard); }

    // The texts of Text1 ... Text12.
    using Screen = std::array<QString, 12>;
    Screen screen() const;
    void showScreen(const Screen& screen);

  protected:
    void paintEvent(QPaintEvent* event) override;

  signals:
    // A typed or opened calculation has finished: the record is new. A typed
    // one is `kept` as the last calculation unless another window keeps that,
    // or it could not be written.
    void calculationFinished(bool typed, bool kept);
    // The section being typed has changed (a point, or a value to confirm).
    void draftShown(const section::SectionDraft& draft);
    // A typed calculation has ended, finished or not: the drawing goes back
    // from the section being typed to the document's survey.
    void runEnded();

  private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

  private:
    void buildControls();
    void connectButton(const char* name, void (MainForm::*handler)());
    void surveyChanged(const document::Change& change);

    document::SurveyDocument& document_;
    Printing& printing_;
    std::function<bool()> surveyGuard_;
    std::array<QLineEdit*, 12> textBoxes_{};
};

}  // namespace window
