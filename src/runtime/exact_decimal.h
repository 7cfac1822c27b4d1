// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact decimal arithmetic: a decimal of any length, so sums, differences and
// products of entered values come out with every digit right.
//
// Used where a figure must be known exactly: when its binary value lies too
// close to a rounding half to tell which way it rounds, and for spacings taken
// from stations.

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/shortest_decimal.h"

namespace runtime {

__extension__ using Int128 = __int128;

// A value's decimal as a whole number of 10^-decimals, when the value is one
// of at most 15 significant digits with exactly `decimals` decimals or fewer:
// then it is the value typed, the same as ExactDecimal::of gives, found
// without writing the value out. Nothing otherwise. Inline: the exact areas
// ask it for every point.
inline std::optional<std::int64_t> scaledDecimal(double value, int decimals) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (decimals < 0 || decimals > 15) return std::nullopt;
    const double power = kPowers[decimals];
    const double scaled = value * power;
    if (!(scaled < 1e15 && scaled > -1e15)) return std::nullopt;
    // The decimal that reads as the value lies within 0.2 of `scaled`, so
    // rounding halves either way finds it; the check below refuses others.
    const auto whole = static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
    // One correctly rounded division back: the decimal reads as the value.
    if (static_cast<double>(whole) / power != value) return std::nullopt;
    return whole;
}

class ExactDecimal {
  public:
    ExactDecimal() = default;  // 0

    // The value an entered number stands for: its shortest decimal form, the
    // value typed. `value` must be finite.
    static ExactDecimal of(double value);
    // mantissa x 10^exponent.
    static ExactDecimal scaled(Int128 mantissa, int exponent);

    friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
    ExactDecimal half() const;
    // a / b (b not zero) cut toward zero to a whole number of 10^exponent;
    // `rest` tells whether anything was cut off.
    static ExactDecimal quotient(const ExactDecimal& a, const ExactDecimal& b, int exponent,
                                 bool& rest);

    bool isZero() const { return magnitude_.empty(); }
    bool isNegative() const { return negative_; }
    // The digits, for formatting; zero is "0".
    DecimalDigits digits() const;
    // The nearest 64-bit value.
    double nearest() const;

  private:
    using Magnitude = std::vector<std::uint32_t>;  // base 2^32, lowest first, no top zeros

    // Written as magnitude x 10^exponent with a lower exponent (same value).
    Magnitude scaledTo(int exponent) const;
    static ExactDecimal sum(const ExactDecimal& a, const ExactDecimal& b, bool negateB);

    bool negative_ = false;
    Magnitude magnitude_;
    int exponent_ = 0;  // value = (-)magnitude x 10^exponent
};

}  // namespace runtime
