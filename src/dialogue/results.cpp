// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/results.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/figures.h"

namespace section {

void showMetres(UserInterface& ui, TextBox box, const std::string& blanks, double value) {
    ui.setText(box, blanks + runtime::formatFixed3(value) + "米");
}

void showResults(UserInterface& ui, const SectionSurvey& survey) {
    const Figures figures(survey);
    // One section has no pair: its area stands alone, and nothing of an earlier
    // calculation may stand beside it.
    if (survey.sectionCount() == 1) {
        ui.setText(TextBox::Text6, " " + figures.area(1) + "平方米");
        for (TextBox box : {TextBox::Text7, TextBox::Text8, TextBox::Text9}) ui.setText(box, "");
    }
    for (int i = 1; i < survey.sectionCount(); ++i) {
        // A pause: whatever the answer, Cancel included, the pair is shown.
        ui.ask({.kind = PromptKind::Pause,
                .section = i,
                .sections = survey.sectionCount(),
                .text = "请输入不等于零的任意数显示计算结果"});
        ui.setText(TextBox::Text6, " " + figures.area(i) + "平方米");
        ui.setText(TextBox::Text7, " " + figures.area(i + 1) + "平方米");
        ui.setText(TextBox::Text8, "  " + runtime::numberToText(survey.spacings(i)) + "米");
        ui.setText(TextBox::Text9, " " + figures.volume(i) + "立方米");
    }
    ui.setText(TextBox::Text10, " " + figures.total() + "立方米");
}

}  // namespace section
