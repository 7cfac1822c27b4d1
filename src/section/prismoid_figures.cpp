// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/prismoid_figures.h"

#include <algorithm>
#include <cmath>

namespace section {
namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;

constexpr int kRootExponent = -30;  // far finer than a thousandth of any volume

bool positive(const ExactDecimal& value) {
    return !value.isNegative() && !value.isZero();
}

ExactDecimal negated(const ExactDecimal& value) {
    return ExactDecimal() - value;
}

ExactDecimal largest(const DecimalSpan& span) {
    const ExactDecimal low = negated(span.low);
    return (low - span.high).isNegative() ? span.high : low;
}

ExactDecimal rootBelow(const ExactDecimal& value) {
    return runtime::squareRootBelow(value, kRootExponent);
}

ExactDecimal rootAbove(const ExactDecimal& value) {
    return rootBelow(value) + ExactDecimal::scaled(1, kRootExponent);
}

// √(A₁A₂) with the sign the areas share, 0 where it differs.
DecimalSpan meanSpan(const DecimalSpan& a, const DecimalSpan& b) {
    if (!a.low.isNegative() && !b.low.isNegative())
        return {rootBelow(a.low * b.low), rootAbove(a.high * b.high)};
    if (!positive(a.high) && !positive(b.high))
        return {negated(rootAbove(a.low * b.low)), negated(rootBelow(a.high * b.high))};
    // An area that may be of either sign: the mean lies within its largest either side.
    const ExactDecimal top = rootAbove(largest(a) * largest(b));
    return {negated(top), top};
}

}  // namespace

// The mean's error from the areas' bounds, where their signs are known, and
// a few roundings of the largest values for the 64-bit arithmetic itself.
Bounded prismoidBound(const Bounded& here, const Bounded& next, double spacing, double volume) {
    const double a = std::abs(here.value), b = std::abs(next.value);
    const double top = std::sqrt(a + here.error) * std::sqrt(b + next.error);
    double meanError = 2.0 * top;  // a sign in doubt: the mean may be either, or none
    if (a > here.error && b > next.error) {
        const double mean = std::sqrt(a) * std::sqrt(b);
        const double low = std::sqrt(a - here.error) * std::sqrt(b - next.error);
        meanError = std::max(top - mean, mean - low);
    }
    meanError += 8.0 * kUnit * top + kUnderflow;
    const double sumError = here.error + next.error + meanError + 4.0 * kUnit * (a + b + top);
    return {volume, std::abs(spacing) * sumError / 3.0 * (1.0 + 8.0 * kUnit) +
                        8.0 * kUnit * std::abs(volume) + kUnderflow};
}

DecimalSpan prismoidSpan(const DecimalSpan& here, const DecimalSpan& next,
                         const ExactDecimal& spacing) {
    const DecimalSpan mean = meanSpan(here, next);
    const ExactDecimal three = ExactDecimal::scaled(3, 0);
    const auto third = [&](const ExactDecimal& sum) {
        return runtime::bracketAt(ExactFraction(sum * spacing, three), -40);
    };
    const runtime::DecimalBracket low = third(here.low + next.low + mean.low);
    const runtime::DecimalBracket high = third(here.high + next.high + mean.high);
    return spacing.isNegative() ? DecimalSpan{high.low, low.high} : DecimalSpan{low.low, high.high};
}

runtime::ExactRootSum exactPrismoid(const ExactFraction& here, const ExactFraction& next,
                                    const ExactDecimal& spacing) {
    const ExactFraction third(spacing, ExactDecimal::scaled(3, 0));
    runtime::ExactRootSum volume((here + next) * third);
    const bool zero = here.numerator().isZero() || next.numerator().isZero();
    if (zero || here.isNegative() != next.isNegative()) return volume;
    return volume + runtime::ExactRootSum::root(here.isNegative() ? ExactFraction() - third : third,
                                                here * next);
}

}  // namespace section
