// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shortest decimal form that reads back as the same 32-bit value, taken
// apart: its sign, its significant digits and the power of ten of the first.
// Formatting and number-to-text both start from it.

#include <string>

namespace runtime {

// value = [-] d0.d1d2... x 10^exponent
struct ShortestDecimal {
    bool negative = false;
    std::string digits;  // at least one, no point
    int exponent = 0;
};

// For a finite value other than zero.
ShortestDecimal shortestDecimal(float value);

}  // namespace runtime
