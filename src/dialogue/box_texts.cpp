// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/box_texts.h"

#include "runtime/number_text.h"
#include "section/station_label.h"

namespace section {

using runtime::numberToText;

std::string sectionCountText(int sections) {
    return "本次计算共有" + numberToText(sections) + "个断面";
}

std::string currentSectionText(const SectionSurvey& survey, int i) {
    return survey.stationsEntered() ? "请注意： 现在是 " + stationLabel(survey, i) + " 桩号断面"
                                    : "请注意： 现在是第" + numberToText(i) + " 号断面";
}

std::string pointNumberText(int j) {
    return "    " + numberToText(j);
}

std::string sectionOrdinalText(int i) {
    return "本断面是第" + numberToText(i) + " 个断面";
}

std::string pointCountText(const SectionSurvey& survey, int i) {
    return numberToText(i) + "断面有 " + numberToText(survey.pointCounts(i)) + " 个观测点";
}

std::string spacingPairText(int i) {
    return "现在请输入第 " + numberToText(i) + " 号至第" + numberToText(i + 1) + " 号断面的间距 :";
}

}  // namespace section
