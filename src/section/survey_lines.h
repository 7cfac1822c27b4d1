// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A survey as lines of points, whichever kind it is: what a table of its
// points shows and edits without asking which record it holds. A closed
// outline's section is one line; a cut-and-fill section is its ground line
// and its design line, with the cut and fill areas worked out between them.

#include <string>
#include <vector>

#include "section/any_survey.h"

namespace section {

enum class SurveyLine { Outline, Ground, Design };

// What the sections of a survey hold: their lines in the order shown, whether
// each has cut and fill areas, and whether a line's points keep the order of
// S (so that none can be moved up or down).
struct LineShape {
    std::vector<SurveyLine> lines;
    bool areas = false;
    bool orderedByOffset = false;
    bool codes = false;  // some point has a code a file gave it
};
LineShape lineShape(const Survey& survey);

// "地面线", "设计线"; nothing for a closed outline.
std::string lineName(SurveyLine line);

// The points of section i's line, and its point j (1-based).
int pointCount(const Survey& survey, int i, SurveyLine line);
Point point(const Survey& survey, int i, SurveyLine line, int j);
// The code of point j of section i's line ("DM"); empty for none.
std::string pointCode(const Survey& survey, int i, SurveyLine line, int j);
// The spacing entered or worked out from section i to the next.
double spacing(const Survey& survey, int i);

// Section i's areas as shown: cut and fill, or `missing`, why it has none.
struct SectionAreas {
    std::string cut;
    std::string fill;
    std::string missing;
};
SectionAreas sectionAreas(const Survey& survey, int i);

// Section i in a sentence about its cells: "K1+020.000断面", "第 2 号断面".
std::string cellSectionName(const Survey& survey, int i);

}  // namespace section
