// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-point formatting and rounding of values.
//
// Both work on the decimal value a binary number stands for, that is its
// shortest decimal form (the value the user typed), not on its binary expansion:
// a typed 1.0005 formats as "1.001" although the nearest double lies below it.
// A computed figure is formatted from its exact decimal digits instead.

#include <string>

#include "runtime/shortest_decimal.h"

namespace runtime {

// Pattern "0.000" (minIntegerDigits 1) or "000.000" (minIntegerDigits 3):
// at least that many integer digits, zero-padded, exactly three decimals,
// halves rounded away from zero, "-" for negatives. A value that rounds to zero
// is written without a sign.
std::string formatFixed3(double value, int minIntegerDigits = 1);
std::string formatFixed3(const DecimalDigits& value, int minIntegerDigits = 1);

// Rounded to three decimals, halves to the even neighbour, then written
// "0.000": 0.0625 gives "0.062".
std::string roundedFixed3(const DecimalDigits& value);

// Drops the fraction toward zero.
double truncate(double value);

}  // namespace runtime
