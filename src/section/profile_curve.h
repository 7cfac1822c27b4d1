// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 纵断面 along the road, as a drawing of it needs it: the ground
// elevation at the centre line of each section and the design elevation
// drawn from the 纵断面 itself, dense enough through each 竖曲线 to look
// round, with the 变坡点 and the ends of each curve (T either side of its
// 变坡点) to mark. Everything is placed by continuous chainage, so that a
// 断链 leaves no gap or fold in the drawing.

#include <vector>

#include "section/any_survey.h"

namespace section {

struct ProfilePoint {
    double chainage = 0.0;
    double elevation = 0.0;
    bool operator==(const ProfilePoint&) const = default;
};

struct GradeMark {         // a 变坡点
    ProfilePoint at;       // at its given elevation
    double station = 0.0;  // as written
    bool operator==(const GradeMark&) const = default;
};

struct ProfileCurve {
    // One point per cut-and-fill section whose ground reaches the centre line.
    std::vector<ProfilePoint> ground;
    // Empty without a usable 纵断面.
    std::vector<ProfilePoint> design;
    std::vector<GradeMark> gradePoints;
    std::vector<ProfilePoint> curveEnds;  // 竖曲线 starts and ends, on the design line
    bool empty() const { return ground.empty() && design.empty(); }
};

// Samples between two neighbouring marks (变坡点 or curve ends).
inline constexpr int kProfileSamples = 24;

ProfileCurve profileCurve(const Survey& survey);

}  // namespace section
