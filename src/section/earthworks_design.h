// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks of a road design's earthworks tables: each 土石分类 row's shares
// are not negative and add up to 100; ranges run forward and those of one
// table (土石分类, 构造物) share no more than an end; every 换算系数 is
// positive; the 免费运距 is not negative and the 经济运距, when given, is
// longer.

#include <optional>

#include "section/road_design.h"

namespace section {

// The first fault of the tables, or nothing.
std::optional<DesignFault> earthworksFault(const RoadDesign& design);

}  // namespace section
