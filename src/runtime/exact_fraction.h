// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact fractions of decimals, for figures whose exact value has a divisor
// that is no power of ten: the cut and fill areas, whose regions end where
// the lines cross.

#include <utility>

#include "runtime/exact_decimal.h"

namespace runtime {

class ExactFraction {
  public:
    ExactFraction() = default;  // 0
    explicit ExactFraction(ExactDecimal value) : numerator_(std::move(value)) {}
    // denominator not zero.
    ExactFraction(ExactDecimal numerator, ExactDecimal denominator);

    friend ExactFraction operator+(const ExactFraction& a, const ExactFraction& b);
    friend ExactFraction operator-(const ExactFraction& a, const ExactFraction& b);
    friend ExactFraction operator*(const ExactFraction& a, const ExactFraction& b);
    ExactFraction half() const;
    const ExactDecimal& numerator() const { return numerator_; }
    const ExactDecimal& denominator() const { return denominator_; }

    bool isNegative() const {
        return !numerator_.isZero() && numerator_.isNegative() != denominator_.isNegative();
    }
    // Cut toward zero to a whole number of 10^exponent; `rest` tells whether
    // anything was cut off.
    ExactDecimal quotient(int exponent, bool& rest) const {
        return ExactDecimal::quotient(numerator_, denominator_, exponent, rest);
    }

    // Digits that round to three decimals, whatever the rule for halves, as
    // the fraction does: its ten-thousandths cut toward zero, and a further
    // 1 where anything was cut off.
    DecimalDigits roundingDigits() const;

  private:
    ExactDecimal numerator_;
    ExactDecimal denominator_ = ExactDecimal::scaled(1, 0);
};

}  // namespace runtime
