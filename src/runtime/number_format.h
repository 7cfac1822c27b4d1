// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-point formatting and rounding of 32-bit values.
//
// Both work on the decimal value a 32-bit number stands for, that is its
// shortest decimal form (the value the user typed), not on its binary expansion:
// a typed 1.0005 formats as "1.001" although the nearest float lies below it.

#include <string>

namespace runtime {

// Pattern "0.000" (minIntegerDigits 1) or "000.000" (minIntegerDigits 3):
// at least that many integer digits, zero-padded, exactly three decimals,
// halves rounded away from zero, "-" for negatives. A value that rounds to zero
// is written without a sign.
std::string formatFixed3(float value, int minIntegerDigits = 1);

// Rounds to three decimals, halves to the even neighbour: 0.0625 gives 0.062.
float round3(float value);

// Drops the fraction toward zero.
double truncate(double value);

}  // namespace runtime
