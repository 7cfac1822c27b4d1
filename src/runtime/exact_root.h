// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact sums with square roots, for volumes worked out as prismoids
// (V = L·(A₁ + A₂ + √(A₁A₂))/3): a fraction plus multiples of square roots
// of fractions. Where the root is of a square the figure is a fraction and
// rounds exactly; otherwise it is irrational, never exactly on a half, and
// decimals either side, taken ever closer, settle how it rounds.

#include <utility>
#include <vector>

#include "runtime/exact_fraction.h"

namespace runtime {

// The largest whole number of 10^exponent whose square is at most `value`
// (value not negative).
ExactDecimal squareRootBelow(const ExactDecimal& value, int exponent);

// Decimals of whole numbers of 10^exponent either side of `value`, equal
// when it is one.
struct DecimalBracket {
    ExactDecimal low;
    ExactDecimal high;
};
DecimalBracket bracketAt(const ExactFraction& value, int exponent);

class ExactRootSum {
  public:
    ExactRootSum() = default;          // 0
    ExactRootSum(ExactFraction value)  // NOLINT(google-explicit-constructor): a fraction is one
        : rational_(std::move(value)) {}
    // factor × √radicand (radicand not negative): a fraction when the
    // radicand is the square of one.
    static ExactRootSum root(const ExactFraction& factor, const ExactFraction& radicand);

    friend ExactRootSum operator+(const ExactRootSum& a, const ExactRootSum& b);
    friend ExactRootSum operator-(const ExactRootSum& a, const ExactRootSum& b);

    bool isFraction() const { return roots_.empty(); }
    DecimalBracket bracket(int exponent) const;
    // Digits that round to three decimals as the sum does, whatever the rule
    // for halves (see ExactFraction::roundingDigits).
    DecimalDigits roundingDigits() const;

  private:
    struct Root {
        ExactFraction factor;
        ExactFraction radicand;
    };
    ExactFraction rational_;
    std::vector<Root> roots_;
};

}  // namespace runtime
