// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far a figure of figure_series.h may lie from its exact value: a bound
// on its 64-bit value, or decimals either side of it.

#include "runtime/exact_decimal.h"

namespace section {

constexpr double kUnit = 0x1p-53;      // the relative rounding error of one operation
constexpr double kUnderflow = 1e-290;  // room for products of values near zero

// A 64-bit figure and a bound on how far it may lie from the exact one.
struct Bounded {
    double value = 0.0;
    double error = 0.0;
};

// An exact figure known to lie between two decimals.
struct DecimalSpan {
    runtime::ExactDecimal low;
    runtime::ExactDecimal high;
};

}  // namespace section
