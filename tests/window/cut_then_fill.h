// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A survey whose earthworks make one haul: sections 20 m wide at K0+000 and
// K0+020 1 m in cut, at K0+040 and K0+060 1 m in fill. The first pair's
// 挖余 (Ⅱ 普通土, 400 / 1.16 = 344.828 m³ compacted) fills the second pair's
// 填缺 20 m on and most of the third's 40 m on: on average 38.400 m; the
// rest of the third, 82.759 m³, is borrowed.

#include <utility>

#include "section/cut_fill_survey.h"

inline section::CutFillSurvey cutThenFill() {
    section::CutFillSurvey data;
    data.stationAnswer = "Y";
    for (const auto& [station, ground] :
         {std::pair{0.0, 12.0}, {20.0, 12.0}, {40.0, 10.0}, {60.0, 10.0}}) {
        data.sections.push_back({.station = station,
                                 .ground = {{ground, -10}, {ground, 10}},
                                 .design = {{11, -10}, {11, 10}}});
    }
    return data;
}
