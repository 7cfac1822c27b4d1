// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines of a cut-and-fill section written in tests as (S, H) pairs, the way
// a section is drawn.

#include <initializer_list>
#include <utility>
#include <vector>

#include "section/cut_fill_survey.h"

namespace section::cut_fill_test {

using Line = std::vector<Point>;

inline Line line(std::initializer_list<std::pair<double, double>> points) {
    Line result;
    for (const auto& [s, h] : points) result.push_back({h, s});
    return result;
}

}  // namespace section::cut_fill_test
