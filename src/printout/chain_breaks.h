// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 断链 a survey was worked out with, listed at the end of its sheet, so
// that the spacings on it can be checked against the stations.

#include <vector>

#include "printout/sheet.h"
#include "section/road_design.h"

namespace printout {

// `sheet` with a heading "断链 :" and one line a break after its lines:
// "K1+100.000=K1+080.000  长链 20.000 米"; unchanged without breaks.
void listChainBreaks(Sheet& sheet, const std::vector<section::ChainBreak>& breaks);

}  // namespace printout
