// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a drawing of one section shows, whichever kind it is: lines, each
// with its role, and shaded regions, each with its role. A closed outline is
// one Outline line (its closing edge implied); a cut-and-fill section is its
// Ground and Design lines with the Cut and Fill regions between them. The
// drawing picks its pens by the role, never by the kind of the survey.

#include <string>
#include <vector>

#include "section/any_survey.h"

namespace section {

struct PictureLine {
    enum class Role { Outline, Ground, Design };
    Role role = Role::Outline;
    std::vector<Point> points;
    bool operator==(const PictureLine&) const = default;
};

struct PictureRegion {
    enum class Role { Cut, Fill };
    Role role = Role::Cut;
    std::vector<Point> outline;  // closed, its first point not repeated
    bool operator==(const PictureRegion&) const = default;
};

// Where a design line generated from the road design meets the ground: the
// 坡脚 of a fill slope, the 坡口 of a cut slope.
struct PictureMark {
    enum class Role { Toe, Crest };
    Role role = Role::Toe;
    Point at;
    bool operator==(const PictureMark&) const = default;
};

struct SectionPicture {
    std::vector<PictureLine> lines;
    std::vector<PictureRegion> regions;
    std::vector<PictureMark> catchPoints{};
    // "中桩填高 1.234 m" or "中桩挖深 0.567 m" for a generated design line
    // over ground that reaches the centre line; else empty.
    std::string centreHeight{};
    bool operator==(const SectionPicture&) const = default;
};

// Section i, 1-based; for no section there, the lines of the survey's kind
// without points.
SectionPicture sectionPicture(const Survey& survey, int i);

}  // namespace section
