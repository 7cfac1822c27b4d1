// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the volume between two sections is worked out from their areas A₁, A₂
// and the distance L between them: by the average-end-area rule (平均断面法,
// V = L·(A₁ + A₂)/2, the default and the rule of the calculation sheet), or
// as a prismoid (棱台法, V = L·(A₁ + A₂ + √(A₁A₂))/3), for cut and for fill
// each. Every output of a survey uses the one method the survey holds, and
// every sheet worked out by the prismoid says so.

#include <string>

namespace section {

enum class VolumeMethod { AverageEndArea, Prismoidal };

// The method's name as sheets and the window write it: "平均断面法", "棱台法".
inline std::string methodName(VolumeMethod method) {
    return method == VolumeMethod::Prismoidal ? "棱台法" : "平均断面法";
}

}  // namespace section
