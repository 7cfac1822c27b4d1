// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The prismoid's volume (棱台法, see volume_method.h) as figure_series.h
// works a figure out: a bound on its 64-bit value, a decimal span of it from
// spans of the areas, and the exact value, a fraction and a multiple of a
// square root.

#include "runtime/exact_root.h"
#include "section/figure_bounds.h"

namespace section {

// The volume the record holds for areas of these bounds, and its bound.
Bounded prismoidBound(const Bounded& here, const Bounded& next, double spacing, double volume);

DecimalSpan prismoidSpan(const DecimalSpan& here, const DecimalSpan& next,
                         const runtime::ExactDecimal& spacing);

runtime::ExactRootSum exactPrismoid(const runtime::ExactFraction& here,
                                    const runtime::ExactFraction& next,
                                    const runtime::ExactDecimal& spacing);

}  // namespace section
