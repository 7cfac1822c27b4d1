// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_fraction.h"

#include <gtest/gtest.h>

#include "runtime/number_format.h"

namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;

std::string rounded(const ExactFraction& value) {
    return runtime::roundedFixed3(value.roundingDigits());
}

ExactFraction over(long long numerator, long long denominator) {
    return {ExactDecimal::scaled(numerator, 0), ExactDecimal::scaled(denominator, 0)};
}

// Halves go to the even neighbour only when exact: a third more or less
// than a half, however small, goes its own way; signs either side.
TEST(ExactFraction, rounds_to_thousandths_as_its_exact_value) {
    EXPECT_EQ(rounded(over(625, 10000)), "0.062");
    EXPECT_EQ(rounded(over(-625, 10000)), "-0.062");
    EXPECT_EQ(rounded(over(635, -10000)), "-0.064");
    EXPECT_EQ(rounded(over(625, 10000) + over(1, 3'000'000'000'000)), "0.063");
    EXPECT_EQ(rounded(over(625, 10000) - over(1, 3'000'000'000'000)), "0.062");
    EXPECT_EQ(rounded(over(1, 3000)), "0.000");
    EXPECT_EQ(rounded(over(-1, 3000)), "0.000");
    EXPECT_EQ(rounded(over(2, 3) * over(3, 2)), "1.000");
    EXPECT_EQ(rounded(over(1, 4).half()), "0.125");
    EXPECT_EQ(rounded(ExactFraction()), "0.000");
}

}  // namespace
