// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_format.h"

#include <gtest/gtest.h>

#include "runtime/number_text.h"

namespace {

using runtime::formatFixed3;
using runtime::roundedFixed3;
using runtime::shortestDecimal;

struct FormatRow {
    const char* name;
    double value;
    int minIntegerDigits;
    const char* expected;
};

class FormatFixed3 : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatFixed3, writes_three_decimals) {
    const FormatRow& row = GetParam();
    EXPECT_EQ(formatFixed3(row.value, row.minIntegerDigits), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatFixed3,
    testing::Values(FormatRow{"whole", 12.3, 1, "12.300"}, FormatRow{"zero", 0.0, 1, "0.000"},
                    FormatRow{"below_one", 0.5, 1, "0.500"},
                    FormatRow{"negative", -3.5, 1, "-3.500"},
                    FormatRow{"typed_half_rounds_away", 1.0005, 1, "1.001"},
                    FormatRow{"exact_half_rounds_away", 0.0625, 1, "0.063"},
                    FormatRow{"negative_half_rounds_away", -0.0625, 1, "-0.063"},
                    FormatRow{"carry_through_nines", 9.9996, 1, "10.000"},
                    FormatRow{"rounds_to_zero_without_sign", -0.0004, 1, "0.000"},
                    FormatRow{"tiny", 1e-20, 1, "0.000"},
                    FormatRow{"large_uses_shortest_digits", 123456789.0123, 1, "123456789.012"},
                    FormatRow{"padded_metres", 50.0, 3, "050.000"},
                    FormatRow{"padded_zero", 0.0, 3, "000.000"},
                    FormatRow{"metres", 345.678, 3, "345.678"},
                    FormatRow{"padded_negative", -34.5, 3, "-034.500"},
                    FormatRow{"metres_round_up", 999.9996, 3, "1000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundedFixed3, rounds_halves_to_the_even_neighbour) {
    EXPECT_EQ(roundedFixed3(shortestDecimal(0.0625)), "0.062");
    EXPECT_EQ(roundedFixed3(shortestDecimal(0.0635)), "0.064");  // typed 0.0635: a half
    EXPECT_EQ(roundedFixed3(shortestDecimal(-0.0625)), "-0.062");
    EXPECT_EQ(roundedFixed3(shortestDecimal(2.5)), "2.500");
    EXPECT_EQ(roundedFixed3(shortestDecimal(1.00051)), "1.001");  // beyond the half
    EXPECT_EQ(roundedFixed3(shortestDecimal(18.375)), "18.375");
    EXPECT_EQ(roundedFixed3(shortestDecimal(-0.0004)), "0.000");
    EXPECT_EQ(roundedFixed3({false, "0", 0}), "0.000");
}

TEST(FormatFixed3, writes_exact_digits_however_long) {
    // 722.6245000000000000001: just beyond the half, which no double can show.
    EXPECT_EQ(formatFixed3(runtime::DecimalDigits{false, "7226245000000000000001", 2}), "722.625");
    EXPECT_EQ(roundedFixed3(runtime::DecimalDigits{false, "7226245000000000000001", 2}), "722.625");
    EXPECT_EQ(roundedFixed3(runtime::DecimalDigits{false, "7226245", 2}), "722.624");
    EXPECT_EQ(roundedFixed3(runtime::DecimalDigits{true, "7226235", 2}), "-722.624");
}

TEST(Truncate, drops_the_fraction_toward_zero) {
    EXPECT_EQ(runtime::truncate(12.345), 12.0);
    EXPECT_EQ(runtime::truncate(-1.2345), -1.0);
    EXPECT_EQ(runtime::truncate(0.9999996), 0.0);
}

}  // namespace
