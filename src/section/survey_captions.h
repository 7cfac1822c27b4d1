// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the views say in words about a calculated survey, whichever kind its
// sections are: the totals under the results, and a title and a caption for
// the drawing of one section.

#include <string>

#include "section/any_survey.h"

namespace section {

// "总体积：… 立方米，共 n 个断面"; for cut and fill the cut, the fill and
// their difference.
std::string totalsLine(const Survey& survey);

struct SectionCaption {
    std::string title;    // the section's name, with its areas when they are two
    std::string caption;  // its area and points, or why it has no area
};
// Section i, 1-based; for no section there, what an empty drawing says.
SectionCaption sectionCaption(const Survey& survey, int i);

}  // namespace section
