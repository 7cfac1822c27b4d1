// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Section areas by the elevation-distance trapezoid method.
//
// The points of a section, in the order entered, form a closed outline: point 1,
// 2, ..., count and back to point 1. Each point stands at height h = elevation
// + 10 m and at distance d = S(1) - S from the first point (positive toward the
// right of the road). Every edge adds the signed trapezoid between it and the
// base line 10 m below elevation 0:
//     area <- (h(j+1) + h(j)) x (d(j+1) - d(j)) / 2 + area
// Around the closed outline the base line and the first point's distance
// cancel, so the sum is worked out as (H(j+1) + H(j)) x (S(j) - S(j+1)), edge
// after edge in 64 bits, and halved at the end: fewer roundings, the same
// value. No absolute value is taken: the sign follows the direction of entry
// (clockwise as drawn in the window's schematic is positive).

#include "runtime/exact_decimal.h"
#include "section/survey.h"

namespace section {

// The area of one section whose `count` points are given; 0 for fewer than one.
double sectionArea(const double* elevations, const double* offsets, int count);
// The same exactly, from the decimals the values stand for.
runtime::ExactDecimal exactSectionArea(const double* elevations, const double* offsets, int count);

// Fills areas(1..N). Returns false when some area is beyond the accepted range
// (runtime::inValueRange).
bool computeAreas(SectionSurvey& survey);

}  // namespace section
