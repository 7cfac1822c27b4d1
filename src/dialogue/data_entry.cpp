// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/data_entry.h"

#include <algorithm>
#include <functional>

#include "dialogue/asking.h"
#include "dialogue/box_texts.h"
#include "dialogue/results.h"
#include "runtime/number_text.h"
#include "section/station_label.h"

namespace section {
namespace {

using runtime::numberToText;

// The wordings of one confirm-or-re-enter loop.
struct ConfirmWording {
    std::string first;
    std::string reentry;
    std::string second;
};

// Asks for a value and has it confirmed. The value is first shown in `box`
// with three blanks; a rejected one is cleared from the box, entered again and
// confirmed with the second wording; the accepted one is shown with one blank.
// `shown` hears every value as it is entered, the rejected ones included.
double enterValue(UserInterface& ui, const Prompt& prompt, const ConfirmWording& wording,
                  TextBox box, const std::string& what, const std::function<void(double)>& shown) {
    Prompt confirm = prompt;
    confirm.kind = PromptKind::Confirm;
    confirm.confirms = prompt.kind;
    confirm.text = wording.first;
    Prompt reentry = prompt;
    reentry.again = true;
    reentry.text = wording.reentry;

    double value = askValue(ui, prompt, what);
    shown(value);
    showMetres(ui, box, "   ", value);
    bool again = wantsReentry(ui, confirm);
    confirm.again = true;
    confirm.text = wording.second;
    while (again) {
        ui.setText(box, "");
        value = askValue(ui, reentry, what);
        shown(value);
        again = wantsReentry(ui, confirm);
    }
    showMetres(ui, box, " ", value);
    return value;
}

void enterStationsAndCounts(UserInterface& ui, SectionSurvey& survey) {
    const bool stations = survey.stationsEntered();
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const std::string n = numberToText(i);
        ui.setText(TextBox::Text11, "请注意： 现在是" + n + "号断面 ");
        if (stations) {
            // In metres a station keeps the letters of the one before.
            const TypedStation station =
                askStation(ui,
                           {.kind = PromptKind::Station,
                            .section = i,
                            .sections = survey.sectionCount(),
                            .text = "请输入" + n + "号断面的桩号 :"},
                           i > 1 ? survey.stationPrefix(i - 1) : std::string());
            survey.setStation(i, station.metres);
            survey.setStationPrefix(i, station.prefix);
            ui.setText(TextBox::Text2, " 第 " + n + " 断面桩号为 " + stationLabel(survey, i));
        }
        survey.setPointCount(i, askCount(ui,
                                         {.kind = PromptKind::PointCount,
                                          .section = i,
                                          .sections = survey.sectionCount(),
                                          .text = "请输入" + n + "号断面中观测的点数 :"},
                                         0, section::kMostPoints, "观测点数"));
        ui.setText(TextBox::Text12,
                   n + "断面有" + numberToText(survey.pointCounts(i)) + "个观测点");
    }
}

void enterPoint(UserInterface& ui, SectionSurvey& survey, SectionDraft& draft, int j) {
    const int i = draft.section;
    const std::string n = numberToText(i);
    const std::string p = numberToText(j);
    ui.setText(TextBox::Text3, pointNumberText(j));
    ui.setText(TextBox::Text4, "");

    const double elevation =
        enterValue(ui,
                   {.kind = PromptKind::Elevation,
                    .section = i,
                    .sections = survey.sectionCount(),
                    .point = j,
                    .text = "请输入 " + n + "号断面第" + p + " 个观测点的高程 H :( 以米为单位 )"},
                   {"确认输入的高程 ?  正确单击 Enter 键 ; 错误输入零( 即为:0 ) ",
                    "输入第 " + p + " 观测点的正确高程 H :",
                    "确认输入的高程 ?  正确单击 Enter 键 ); 错误输入零( 即为:0 ) "},
                   TextBox::Text4, "高程", [&](double value) {
                       draft.elevation = value;
                       ui.showDraft(draft);
                   });
    // The distance box still shows the previous point's distance until now.
    const double offset =
        enterValue(ui,
                   {.kind = PromptKind::Distance,
                    .section = i,
                    .sections = survey.sectionCount(),
                    .point = j,
                    .text = "请输入第 " + p +
                            " 个观测点至断面起始端点的距离 S : 该点位于道路中心线 S=0，"
                            "位于道路中心线左侧 S 为正值，位于道路中心线右侧 S 为负值，(S "
                            "以米为单位) :"},
                   {"确认输入距离 ?  正确单击 Enter 键 ) ; 错误输入零( 即为:0 ) ",
                    "输入第 " + p + " 测量点至断面起始端点正确的距离 :( 以米为单位 )",
                    "确认输入距离 ?  正确单击 Enter 键  ; 错误输入零( 即为:0 )"},
                   TextBox::Text5, "距离", [&](double value) {
                       draft.offset = value;
                       ui.showDraft(draft);
                   });
    survey.setPoint(i, j, elevation, offset);
    draft.points.push_back({elevation, offset});
    draft.elevation.reset();
    draft.offset.reset();
    ui.showDraft(draft);
}

void enterPoints(UserInterface& ui, SectionSurvey& survey) {
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        ui.setText(TextBox::Text2, currentSectionText(survey, i));
        ui.setText(TextBox::Text11, sectionOrdinalText(i));
        ui.setText(TextBox::Text12, pointCountText(survey, i));
        SectionDraft draft;
        draft.section = i;
        // Room for the section at once: growing by doubling would hold up to
        // twice its points for a moment.
        draft.points.reserve(std::max<int>(survey.pointCounts(i), 0));
        ui.showDraft(draft);
        for (int j = 1; j <= survey.pointCounts(i); ++j) enterPoint(ui, survey, draft, j);
    }
}

}  // namespace

void enterSurvey(UserInterface& ui, SectionSurvey& survey) {
    const int n = askCount(ui, {.kind = PromptKind::SectionCount, .text = "请输入断面的个数 :"}, 1,
                           section::kMostSections, "断面个数");
    ui.setText(TextBox::Text1, sectionCountText(n));
    survey.resize(n);
    survey.setStationAnswer(
        askText(ui, {.kind = PromptKind::StationQuestion,
                     .sections = n,
                     .text = "是否需要输入断面桩号 ? 需要输入按 Y ; 不要输入按 N"}));

    enterStationsAndCounts(ui, survey);

    survey.allocatePoints();
    ui.setText(TextBox::Text12, "");
    ui.setText(TextBox::Text4, " ");
    ui.setText(TextBox::Text5, "");

    enterPoints(ui, survey);
}

}  // namespace section
