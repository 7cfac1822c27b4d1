// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading typed text as numbers and writing numbers as text.
//
// What reads as a number: blanks around it (ASCII or the full-width blank), an
// optional sign, digits with an optional decimal point, an optional exponent.
// Full-width characters (digits, "．", "－", "＋", letters) count as their ASCII
// twins, because Chinese input methods often type them. Anything else, the
// empty text included, is no number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// The text with every full-width ASCII twin (U+FF01..U+FF5E, the full-width
// blank U+3000) replaced by its ASCII character.
std::string toHalfWidth(std::string_view text);

// The text as a 64-bit value, infinity (with its sign) when it is a number
// beyond the 64-bit range, or nothing when it is no number.
std::optional<double> readNumber(std::string_view text);

// A 16-bit integer: a fraction rounds to the nearest integer, halves to even.
// Nothing when the text is no number or the result lies outside -32768..32767.
std::optional<std::int16_t> textToInt16(std::string_view text);

// Whether a value lies within the range of values the program accepts and
// keeps, that of a 32-bit float: magnitudes up to about 3.4E+38 (those that
// do not round beyond the largest 32-bit float).
bool inValueRange(double value);

// A value entered, rounded to the nearest 64-bit value. Nothing when the text
// is no number or its value is beyond the accepted range (inValueRange).
std::optional<double> textToValue(std::string_view text);

// Shortest decimal form that reads back as the same value, no leading blank,
// "-" for negatives: "3", "-1", "20.5", "100000", "0.0005", so an entered
// value reads as it was typed. Zero is always "0". Only magnitudes of 1e15 and
// above or below 1e-5 take an exponent: "1e+20", "5e-06". The 32-bit form
// gives the fewer digits a drawing's tick values need.
std::string numberToText(double value);
std::string numberToText(float value);
std::string numberToText(int value);

}  // namespace runtime
