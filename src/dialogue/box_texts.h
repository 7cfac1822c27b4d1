// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the data-entry dialogue writes into the window's boxes and that a
// finished run leaves there, worded in one place for the dialogue and for
// finishedScreen alike.

#include <string>

#include "section/survey.h"

namespace section {

// Text1: "本次计算共有5个断面".
std::string sectionCountText(int sections);
// Text2 while section i's points are entered: its station, or its number.
std::string currentSectionText(const SectionSurvey& survey, int i);
// Text3: the number of the point being entered, "    2".
std::string pointNumberText(int j);
// Text11 while section i's points are entered: "本断面是第1 个断面".
std::string sectionOrdinalText(int i);
// Text12 while section i's points are entered: "1断面有 5 个观测点".
std::string pointCountText(const SectionSurvey& survey, int i);
// Text11 while the spacing from section i to i+1 is asked.
std::string spacingPairText(int i);

}  // namespace section
