// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_root.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "runtime/number_format.h"

namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;
using runtime::ExactRootSum;

ExactDecimal decimal(long long mantissa, int exponent) {
    return ExactDecimal::scaled(mantissa, exponent);
}

ExactFraction over(long long numerator, long long denominator) {
    return {decimal(numerator, 0), decimal(denominator, 0)};
}

std::string rounded(const ExactRootSum& value) {
    return runtime::roundedFixed3(value.roundingDigits());
}

bool below(const ExactDecimal& a, const ExactDecimal& b) {
    return (a - b).isNegative();
}

TEST(ExactRoot, square_root_below_is_the_last_step_whose_square_fits) {
    std::mt19937_64 random(33);
    std::uniform_int_distribution<long long> mantissa(0, 4'000'000'000'000'000'000);
    std::uniform_int_distribution<int> scale(-30, 20), steps(-45, 3);
    for (int trial = 0; trial < 400; ++trial) {
        const ExactDecimal value = decimal(mantissa(random), scale(random));
        const int exponent = steps(random);
        const ExactDecimal root = squareRootBelow(value, exponent);
        const ExactDecimal next = root + decimal(1, exponent);
        ASSERT_FALSE(below(value, root * root)) << trial;
        ASSERT_TRUE(below(value, next * next)) << trial;
        ASSERT_FALSE(root.isNegative()) << trial;
    }
    EXPECT_EQ(runtime::roundedFixed3(squareRootBelow(decimal(2, 0), -12).digits()), "1.414");
    EXPECT_TRUE(squareRootBelow(ExactDecimal(), -5).isZero());
}

// Roots of squares of fractions are fractions, so a figure exactly on a half
// rounds to the even neighbour; others are not.
TEST(ExactRoot, roots_of_squares_are_fractions_and_round_exactly) {
    struct Row {
        const char* name;
        ExactRootSum value;
        bool fraction;
        const char* text;
    };
    const Row rows[] = {
        {"√(9/4)", ExactRootSum::root(over(1, 1), over(9, 4)), true, "1.500"},
        {"√0.00000625 on a half", ExactRootSum::root(over(1, 1), {decimal(625, -8), decimal(1, 0)}),
         true, "0.002"},
        {"−√0.00000625 on a half",
         ExactRootSum::root(over(-1, 1), {decimal(625, -8), decimal(1, 0)}), true, "-0.002"},
        {"√(1/9) × 3", ExactRootSum::root(over(3, 1), over(1, 9)), true, "1.000"},
        {"√2", ExactRootSum::root(over(1, 1), over(2, 1)), false, "1.414"},
        {"√2 − √2",
         ExactRootSum::root(over(1, 1), over(2, 1)) - ExactRootSum::root(over(1, 1), over(2, 1)),
         false, "0.000"},
        {"0.0005 + √(2·10^-30)",
         ExactRootSum(over(1, 2000)) +
             ExactRootSum::root(over(1, 1), {decimal(2, -30), decimal(1, 0)}),
         false, "0.001"},
        {"0.0005 − √(2·10^-30)",
         ExactRootSum(over(1, 2000)) -
             ExactRootSum::root(over(1, 1), {decimal(2, -30), decimal(1, 0)}),
         false, "0.000"},
        {"√0 × 5", ExactRootSum::root(over(5, 1), ExactFraction()), true, "0.000"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.value.isFraction(), row.fraction) << row.name;
        EXPECT_EQ(rounded(row.value), row.text) << row.name;
    }
}

// Against long double, where it is far enough from a half to tell.
TEST(ExactRoot, sums_of_roots_round_as_long_double_says) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> whole(1, 9'999'999), divisor(1, 999);
    int compared = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const long long a = whole(random), b = divisor(random), c = whole(random),
                        d = divisor(random), k = divisor(random);
        const ExactRootSum value = ExactRootSum(over(a, b)) +
                                   ExactRootSum::root(over(k, 3), over(c, d)) -
                                   ExactRootSum::root(over(1, 7), over(a, c));
        const long double reference = (long double)a / b + k * std::sqrt((long double)c / d) / 3 -
                                      std::sqrt((long double)a / c) / 7;
        const long double thousandths = reference * 1000;
        if (std::abs(thousandths - std::floor(thousandths) - 0.5L) < 1e-6L) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%.3Lf", reference);
        ASSERT_EQ(rounded(value), text) << trial;
        ++compared;
    }
    EXPECT_GT(compared, 250);
}

}  // namespace
