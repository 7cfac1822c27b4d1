// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_format.h"

#include <gtest/gtest.h>

#include "runtime/number_text.h"

namespace {

using runtime::formatFixed3;
using runtime::round3;

struct FormatRow {
    const char* name;
    float value;
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
    testing::Values(FormatRow{"whole", 12.3f, 1, "12.300"}, FormatRow{"zero", 0.0f, 1, "0.000"},
                    FormatRow{"below_one", 0.5f, 1, "0.500"},
                    FormatRow{"negative", -3.5f, 1, "-3.500"},
                    FormatRow{"typed_half_rounds_away", 1.0005f, 1, "1.001"},
                    FormatRow{"exact_half_rounds_away", 0.0625f, 1, "0.063"},
                    FormatRow{"negative_half_rounds_away", -0.0625f, 1, "-0.063"},
                    FormatRow{"carry_through_nines", 9.9996f, 1, "10.000"},
                    FormatRow{"rounds_to_zero_without_sign", -0.0004f, 1, "0.000"},
                    FormatRow{"tiny", 1e-20f, 1, "0.000"},
                    FormatRow{"large_uses_shortest_digits", 123456792.0f, 1, "123456790.000"},
                    FormatRow{"padded_metres", 50.0f, 3, "050.000"},
                    FormatRow{"padded_zero", 0.0f, 3, "000.000"},
                    FormatRow{"metres", 345.678f, 3, "345.678"},
                    FormatRow{"padded_negative", -34.5f, 3, "-034.500"},
                    FormatRow{"metres_round_up", 999.9996f, 3, "1000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Round3, rounds_halves_to_the_even_neighbour) {
    EXPECT_EQ(formatFixed3(round3(0.0625f)), "0.062");
    EXPECT_EQ(formatFixed3(round3(0.0635f)), "0.064");  // typed 0.0635: a half
    EXPECT_EQ(formatFixed3(round3(-0.0625f)), "-0.062");
    EXPECT_EQ(formatFixed3(round3(2.5f)), "2.500");
    EXPECT_EQ(formatFixed3(round3(1.00051f)), "1.001");  // beyond the half
    EXPECT_EQ(round3(18.375f), 18.375f);
    EXPECT_EQ(round3(0.0f), 0.0f);
}

TEST(Truncate, drops_the_fraction_toward_zero) {
    EXPECT_EQ(runtime::truncate(12.345), 12.0);
    EXPECT_EQ(runtime::truncate(-1.2345), -1.0);
    EXPECT_EQ(runtime::truncate(0.9999996), 0.0);
}

}  // namespace
