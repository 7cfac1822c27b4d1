// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/spacing_entry.h"

#include "dialogue/asking.h"
#include "dialogue/box_texts.h"
#include "dialogue/results.h"
#include "runtime/number_text.h"

namespace section {
namespace {

double askSpacing(UserInterface& ui, int i, int sections) {
    const std::string from = runtime::numberToText(i);
    const std::string to = runtime::numberToText(i + 1);
    ui.setText(TextBox::Text11, spacingPairText(i));
    const Prompt confirm{.kind = PromptKind::Confirm,
                         .section = i,
                         .sections = sections,
                         .confirms = PromptKind::Spacing,
                         .text = "确认输入的间距 ?  正确单击 Enter 键  ; 错误输入零( 即为:0 )"};
    double spacing =
        askValue(ui,
                 {.kind = PromptKind::Spacing,
                  .section = i,
                  .sections = sections,
                  .text = "请输入第 " + from + "至" + to + " 号断面的间距 DL :( 以米为单位 )"},
                 "间距");
    // Unlike the point values, a corrected spacing is shown before it is
    // confirmed, the confirm prompt stays the same, and the accepted spacing
    // keeps its three blanks.
    showMetres(ui, TextBox::Text8, "   ", spacing);
    while (wantsReentry(ui, confirm)) {
        ui.setText(TextBox::Text8, "");
        spacing = askValue(ui,
                           {.kind = PromptKind::Spacing,
                            .section = i,
                            .sections = sections,
                            .again = true,
                            .text = "请输入正确的间距 DL :"},
                           "间距");
        showMetres(ui, TextBox::Text8, "   ", spacing);
    }
    showMetres(ui, TextBox::Text8, "   ", spacing);
    return spacing;
}

}  // namespace

void askSpacings(UserInterface& ui, SectionSurvey& survey) {
    for (int i = 1; i < survey.sectionCount(); ++i)
        survey.setSpacing(i, askSpacing(ui, i, survey.sectionCount()));
}

}  // namespace section
