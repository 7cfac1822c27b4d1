// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design lines a road design gives a cut-and-fill survey: every section
// whose design line is not typed has it put on its ground ("戴帽") at its
// place along the road, and keeps what the fit gave for the 路基设计表.

#include <vector>

#include "section/chainage.h"
#include "section/cut_fill_survey.h"
#include "section/road_fit.h"

namespace section {

// The sections' stations placed along the road: across the road's 断链, or
// without a road each at its own station. Empty without stations.
std::vector<ChainedStation> placedSections(const CutFillSurvey& survey, const PreparedRoad* road);

// Each section whose design line is not typed (generated before, or empty)
// given the line the road design puts on its ground at `placed`, its points
// to the millimetre as every line is printed; without a
// 纵断面 or without stations the generated lines are taken away, since
// nothing places them.
void fitDesignLines(CutFillSurvey& survey, const PreparedRoad* road,
                    const std::vector<ChainedStation>& placed);

}  // namespace section
