// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A decimal value taken apart: its sign, its significant digits and the power
// of ten of the first. Formatting and number-to-text start from it; for a
// binary value it is the shortest decimal form that reads back as that value
// (the value the user typed).

#include <string>

namespace runtime {

// value = [-] d0.d1d2... x 10^exponent
struct DecimalDigits {
    bool negative = false;
    std::string digits;  // at least one, no point
    int exponent = 0;
};

// For a finite value other than zero.
DecimalDigits shortestDecimal(double value);
DecimalDigits shortestDecimal(float value);

}  // namespace runtime
