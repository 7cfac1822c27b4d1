// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the volume between two sections is worked out from their areas A₁, A₂
// and the distance L between them: by the average-end-area rule (平均断面法,
// V = L·(A₁ + A₂)/2, the default and the rule of the calculation sheet), or
// as a prismoid (棱台法, V = L·(A₁ + A₂ + √(A₁A₂))/3), for cut and for fill
// each. Every output of a survey uses the one method the survey holds, and
// every sheet worked out by the prismoid says so.
//
// A closed outline's area has the sign of its direction round: the mean
// √(A₁A₂) takes the sign the two areas share, and is 0 where they differ
// (the warnings name such sections), so that a survey entered clockwise
// throughout gives the same volumes with the other sign.

#include <string>

namespace section {

enum class VolumeMethod { AverageEndArea, Prismoidal };

// The method's name as sheets and the window write it: "平均断面法", "棱台法".
inline std::string methodName(VolumeMethod method) {
    return method == VolumeMethod::Prismoidal ? "棱台法" : "平均断面法";
}

// What a sheet worked out by the method says of it: "体积按棱台法计算", and
// nothing for the default, whose sheets stay as they always were.
inline std::string methodNote(VolumeMethod method) {
    return method == VolumeMethod::Prismoidal ? "体积按" + methodName(method) + "计算" : "";
}

// The volume between areas `here` and `next` a `spacing` apart, in 64 bits:
// the value every record holds and figure_series.h bounds.
double volumeBetween(VolumeMethod method, double here, double next, double spacing);

}  // namespace section
