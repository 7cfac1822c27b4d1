// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_root.h"

#include <cmath>
#include <utility>

#include "runtime/number_format.h"

namespace runtime {
namespace {

const ExactDecimal kOne = ExactDecimal::scaled(1, 0);

bool below(const ExactDecimal& a, const ExactDecimal& b) {
    return (a - b).isNegative();
}

ExactDecimal magnitude(const ExactDecimal& value) {
    return value.isNegative() ? ExactDecimal() - value : value;
}

// The decimals `value` is written with.
int decimalsOf(const ExactDecimal& value) {
    const DecimalDigits digits = value.digits();
    return std::max(0, static_cast<int>(digits.digits.size()) - 1 - digits.exponent);
}

}  // namespace

ExactDecimal squareRootBelow(const ExactDecimal& value, int exponent) {
    if (value.isZero()) return {};
    // Newton's steps from the 64-bit root, each cut a little finer than
    // asked: after the first they come down to the root and stop falling
    // there (or at 0, for a value below the step's square).
    const double guess = std::sqrt(value.nearest());
    ExactDecimal root =
        guess > 0.0 && std::isfinite(guess) ? ExactDecimal::of(guess) : value + kOne;
    const auto newton = [&](const ExactDecimal& x) {
        bool rest = false;
        const ExactDecimal sum = x + ExactDecimal::quotient(value, x, exponent - 2, rest);
        return ExactDecimal::quotient(sum, ExactDecimal::scaled(2, 0), exponent - 2, rest);
    };
    root = newton(root);
    while (!root.isZero()) {
        ExactDecimal next = newton(root);
        if (!below(next, root)) break;
        root = std::move(next);
    }
    bool rest = false;
    root = ExactDecimal::quotient(root, kOne, exponent, rest);
    const ExactDecimal step = ExactDecimal::scaled(1, exponent);
    while (below(value, root * root)) root = root - step;
    while (!below(value, (root + step) * (root + step))) root = root + step;
    return root;
}

DecimalBracket bracketAt(const ExactFraction& value, int exponent) {
    bool rest = false;
    const ExactDecimal cut = value.quotient(exponent, rest);
    if (!rest) return {cut, cut};
    const ExactDecimal step = ExactDecimal::scaled(1, exponent);
    return value.isNegative() ? DecimalBracket{cut - step, cut} : DecimalBracket{cut, cut + step};
}

// √(n/d) = √(n·d)/|d|, and n·d, a decimal, is the square of a fraction only
// when it is the square of a decimal of at most half its decimals.
ExactRootSum ExactRootSum::root(const ExactFraction& factor, const ExactFraction& radicand) {
    const ExactDecimal product = radicand.numerator() * radicand.denominator();
    if (product.isZero() || factor.numerator().isZero()) return {};
    const ExactDecimal root = squareRootBelow(product, -((decimalsOf(product) + 1) / 2));
    if ((root * root - product).isZero())
        return factor * ExactFraction(root, magnitude(radicand.denominator()));
    ExactRootSum sum;
    sum.roots_.push_back({factor, radicand});
    return sum;
}

ExactRootSum operator+(const ExactRootSum& a, const ExactRootSum& b) {
    ExactRootSum sum;
    sum.rational_ = a.rational_ + b.rational_;
    sum.roots_ = a.roots_;
    sum.roots_.insert(sum.roots_.end(), b.roots_.begin(), b.roots_.end());
    return sum;
}

ExactRootSum operator-(const ExactRootSum& a, const ExactRootSum& b) {
    ExactRootSum negated = b;
    negated.rational_ = ExactFraction() - b.rational_;
    for (ExactRootSum::Root& root : negated.roots_) root.factor = ExactFraction() - root.factor;
    return a + negated;
}

DecimalBracket ExactRootSum::bracket(int exponent) const {
    DecimalBracket sum = bracketAt(rational_, exponent);
    const ExactDecimal step = ExactDecimal::scaled(1, exponent);
    for (const Root& term : roots_) {
        const ExactDecimal& d = term.radicand.denominator();
        const ExactDecimal low = squareRootBelow(term.radicand.numerator() * d, exponent);
        const ExactFraction scale = term.factor * ExactFraction(kOne, magnitude(d));
        ExactFraction from = scale * ExactFraction(low), to = scale * ExactFraction(low + step);
        if (scale.isNegative()) std::swap(from, to);
        sum.low = sum.low + bracketAt(from, exponent).low;
        sum.high = sum.high + bracketAt(to, exponent).high;
    }
    return sum;
}

// An irrational sum is never on a half, so decimals close enough either side
// of it round alike. Only roots that cancel exactly, as with surveys whose
// areas change sign, can leave a fraction on a half: after 1280 digits the
// lower decimal is taken.
DecimalDigits ExactRootSum::roundingDigits() const {
    if (isFraction()) return rational_.roundingDigits();
    DecimalBracket span;
    for (int exponent = -40; exponent >= -1280; exponent *= 2) {
        span = bracket(exponent);
        if (roundedFixed3(span.low.digits()) == roundedFixed3(span.high.digits())) break;
    }
    return span.low.digits();
}

}  // namespace runtime
