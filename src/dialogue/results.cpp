// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/results.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/figures.h"

namespace section {

void showMetres(UserInterface& ui, TextBox box, const std::string& blanks, double value) {
    ui.setText(box, blanks + runtime::formatFixed3(value) + "米");
}

namespace {

void showPair(UserInterface& ui, const SectionSurvey& survey, const Figures& figures, int i) {
    ui.setText(TextBox::Text6, " " + figures.area(i) + "平方米");
    ui.setText(TextBox::Text7, " " + figures.area(i + 1) + "平方米");
    ui.setText(TextBox::Text8, "  " + runtime::numberToText(survey.spacings(i)) + "米");
    ui.setText(TextBox::Text9, " " + figures.volume(i) + "立方米");
}

// One section has no pair: its area stands alone, and nothing of an earlier
// calculation may stand beside it.
void showSingle(UserInterface& ui, const Figures& figures) {
    ui.setText(TextBox::Text6, " " + figures.area(1) + "平方米");
    for (TextBox box : {TextBox::Text7, TextBox::Text8, TextBox::Text9}) ui.setText(box, "");
}

void showTotal(UserInterface& ui, const Figures& figures) {
    ui.setText(TextBox::Text10, " " + figures.total() + "立方米");
}

}  // namespace

void showResults(UserInterface& ui, const SectionSurvey& survey) {
    const Figures figures(survey);
    if (survey.sectionCount() == 1) showSingle(ui, figures);
    for (int i = 1; i < survey.sectionCount(); ++i) {
        // A pause: whatever the answer, Cancel included, the pair is shown.
        ui.ask({.kind = PromptKind::Pause,
                .section = i,
                .sections = survey.sectionCount(),
                .text = "请输入不等于零的任意数显示计算结果"});
        showPair(ui, survey, figures, i);
    }
    showTotal(ui, figures);
}

void showLastResults(UserInterface& ui, const SectionSurvey& survey) {
    const Figures figures(survey);
    const int n = survey.sectionCount();
    if (n == 1) showSingle(ui, figures);
    if (n >= 2) showPair(ui, survey, figures, n - 1);
    showTotal(ui, figures);
}

}  // namespace section
