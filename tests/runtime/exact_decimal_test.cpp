// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_decimal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace {

using runtime::ExactDecimal;
using runtime::Int128;

std::string plain(const ExactDecimal& value) {
    const runtime::DecimalDigits d = value.digits();
    // All digits, so the test sees every one: digits x 10^(exponent - count + 1).
    return (d.negative ? "-" : "") + d.digits + "e" +
           std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
}

TEST(ExactDecimal, adds_subtracts_and_multiplies_without_rounding) {
    const ExactDecimal a = ExactDecimal::of(1523.123);
    const ExactDecimal b = ExactDecimal::of(1500.1);
    EXPECT_EQ(plain(a - b), "23023e-3");
    EXPECT_EQ(plain(b - a), "-23023e-3");
    EXPECT_EQ(plain(a + b), "3023223e-3");
    EXPECT_EQ(plain(a * b), "22848368123e-4");
    EXPECT_EQ(plain(ExactDecimal::of(0.125).half()), "625e-4");
    EXPECT_TRUE((a - a).isZero());
    EXPECT_EQ(plain(a - a), "0e0");
    EXPECT_EQ(plain(ExactDecimal::of(1e20) * ExactDecimal::of(1e20)), "1e40");
    EXPECT_EQ(plain(ExactDecimal::of(3e38) * ExactDecimal::of(-3.4e38)), "-102e75");
    EXPECT_EQ(plain(ExactDecimal::of(1e-30) + ExactDecimal::of(1e10)),
              "10000000000000000000000000000000000000001e-30");
}

TEST(ExactDecimal, nearest_double_reads_as_the_exact_digits) {
    EXPECT_EQ((ExactDecimal::of(1523.123) - ExactDecimal::of(1500.1)).nearest(), 23.023);
    EXPECT_EQ(
        runtime::numberToText((ExactDecimal::of(1020.5) - ExactDecimal::of(1000.001)).nearest()),
        "20.499");
    EXPECT_EQ(ExactDecimal().nearest(), 0.0);
}

// Millimetre values as integers: the arithmetic of Int128 is the reference.
TEST(ExactDecimal, agrees_with_integer_arithmetic_on_random_values) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> millimetres(-4'000'000'000LL, 4'000'000'000LL);
    for (int k = 0; k < 2000; ++k) {
        const long long x = millimetres(random), y = millimetres(random), z = millimetres(random);
        const ExactDecimal a = ExactDecimal::of(x / 1000.0);
        const ExactDecimal b = ExactDecimal::of(y / 1000.0);
        const ExactDecimal c = ExactDecimal::of(z / 1000.0);
        // ((a + b) x c - a x b) / 2 in millionths, times 10 for the half.
        const Int128 expected = ((Int128(x) + y) * z - Int128(x) * y) * 5;
        const ExactDecimal got = ((a + b) * c - a * b).half();
        Int128 magnitude = expected < 0 ? -expected : expected;
        std::string digits;
        do {
            digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
            magnitude /= 10;
        } while (magnitude != 0);
        runtime::DecimalDigits d = got.digits();
        // Compare value: got's digits padded to the scale 10^-7.
        const int scale = d.exponent - static_cast<int>(d.digits.size()) + 1;
        ASSERT_GE(scale, -7);
        std::string padded = d.digits + std::string(scale + 7, '0');
        if (got.isZero()) padded = "0";
        EXPECT_EQ((d.negative ? "-" : "") + padded, (expected < 0 ? "-" : "") + digits);
    }
}

// Quotients of millimetre values to a given decimal place: Int128 division,
// cut toward zero, is the reference, the rest whether it left a remainder.
TEST(ExactDecimal, quotient_cuts_toward_zero_as_integer_division) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<long long> millimetres(-4'000'000'000LL, 4'000'000'000LL);
    std::uniform_int_distribution<int> places(-6, 2);
    for (int k = 0; k < 2000; ++k) {
        const long long x = millimetres(random), y = millimetres(random) | 1;
        const int exponent = places(random);
        // x / y / 10^exponent, both in thousandths.
        Int128 numerator = x, denominator = y;
        for (int e = exponent; e < 0; ++e) numerator *= 10;
        for (int e = 0; e < exponent; ++e) denominator *= 10;
        bool rest = false;
        const ExactDecimal got = ExactDecimal::quotient(
            ExactDecimal::of(x / 1000.0), ExactDecimal::of(y / 1000.0), exponent, rest);
        const Int128 whole = numerator / denominator;
        EXPECT_EQ(plain(got), plain(ExactDecimal::scaled(whole, whole == 0 ? 0 : exponent)))
            << x << " / " << y << " at 1e" << exponent;
        EXPECT_EQ(rest, numerator % denominator != 0);
    }
}

}  // namespace
