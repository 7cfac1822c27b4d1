// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the calculation of a cut-and-fill survey works out once its lines
// (and, without stations, its spacings) are in place: the spacings from the
// stations when they were entered, by the rule of the closed outline; the cut
// and fill areas of every section; the cut and the fill volumes to the next
// section, each by the survey's volume method; their totals.
//
// A section without areas (its lines do not overlap, or one has fewer than
// two points) has no volumes either side: the volume of a pair is worked out
// only when both its sections have areas, and stays 0 otherwise, so the
// totals hold only the pairs that have volumes. A missing area is never read
// as 0, which would make a figure of one that was never surveyed; the
// warnings name every such section and say that its pairs are left out.

#include <optional>
#include <string>
#include <vector>

#include "section/checks.h"
#include "section/cut_fill_survey.h"
#include "section/fault.h"
#include "section/road_fit.h"

namespace section {

// Nothing on success; else the first fault, every result left as far as it
// got: for a line going back in S it names the section, the line and the point.
// With a road design, the spacings are those of its continuous chainage, and
// the design line of every section whose design is not typed is put on its
// ground first (see design_lines.h).
std::optional<Fault> calculateCutFill(CutFillSurvey& survey, const PreparedRoad* road = nullptr);

// Whether the pair of sections i and i+1 (1-based) has volumes: both have
// areas. Only for a calculated survey.
bool pairHasVolumes(const CutFillSurvey& survey, int i);

// Section i (1-based) as the user knows it: "K1+020.000断面" with stations,
// "第 2 号断面" without.
std::string cutFillSectionName(const CutFillSurvey& survey, int i);

// Why a calculated section has no areas, as a few words: "只有地面线，没有设计线".
std::string noAreasReason(const CutFillSection& section);

// What looks wrong in a calculated survey although it calculates, in
// section order, one sentence each: a section without areas; stations that
// decrease or repeat, or spacings of 0 or less, told as the closed outline
// tells them; a side where the design line reaches beyond the ground line.
std::vector<SurveyWarning> cutFillWarnings(const CutFillSurvey& survey);

}  // namespace section
