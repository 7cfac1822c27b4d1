// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_fraction.h"

#include <utility>

namespace runtime {

ExactFraction::ExactFraction(ExactDecimal numerator, ExactDecimal denominator)
    : numerator_(std::move(numerator)), denominator_(std::move(denominator)) {}

ExactFraction operator+(const ExactFraction& a, const ExactFraction& b) {
    return {a.numerator_ * b.denominator_ + b.numerator_ * a.denominator_,
            a.denominator_ * b.denominator_};
}

ExactFraction operator-(const ExactFraction& a, const ExactFraction& b) {
    return {a.numerator_ * b.denominator_ - b.numerator_ * a.denominator_,
            a.denominator_ * b.denominator_};
}

ExactFraction operator*(const ExactFraction& a, const ExactFraction& b) {
    return {a.numerator_ * b.numerator_, a.denominator_ * b.denominator_};
}

ExactFraction ExactFraction::half() const {
    return {numerator_.half(), denominator_};
}

DecimalDigits ExactFraction::roundingDigits() const {
    bool rest = false;
    ExactDecimal digits = quotient(-4, rest);
    // Away from zero, on the fraction's side: a quotient of zero has no sign.
    if (rest) digits = digits + ExactDecimal::scaled(isNegative() ? -1 : 1, -5);
    return digits.digits();
}

}  // namespace runtime
