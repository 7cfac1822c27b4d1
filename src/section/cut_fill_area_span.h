// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a section's exact cut and fill areas lie, to within about 10^-15 of
// them: the strips' trapezoids and the lines' signs worked out in whole
// numbers of the values' last decimal, only the pieces that end inside a
// segment and the crossings as quotients of 64-bit mantissas, with a bound.
// Far cheaper than the exact fractions, and close enough to round nearly
// every figure made of many areas.

#include <optional>

#include "section/cut_fill_sweep.h"
#include "section/figure_series.h"

namespace section {

struct AreaSpans {
    DecimalSpan cut;
    DecimalSpan fill;
};

// None where a value has more than six decimals or is too large for the
// whole numbers (about a million metres).
std::optional<AreaSpans> cutFillAreaSpans(const sweep::Lines& lines);

}  // namespace section
