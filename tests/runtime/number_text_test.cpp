// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

using runtime::numberToText;
using runtime::readNumber;
using runtime::textToInt16;
using runtime::textToValue;

struct IntRow {
    const char* name;
    const char* text;
    std::optional<std::int16_t> expected;
};

class TextToInt16 : public testing::TestWithParam<IntRow> {};

TEST_P(TextToInt16, reads_the_typed_text) {
    EXPECT_EQ(textToInt16(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextToInt16,
    testing::Values(
        IntRow{"plain", "12", 12}, IntRow{"blanks_around", "  7 \t", 7},
        IntRow{"half_rounds_down_to_even", "2.5", 2}, IntRow{"half_rounds_up_to_even", "3.5", 4},
        IntRow{"negative_half_to_even", "-2.5", -2}, IntRow{"fraction_to_nearest", "2.51", 3},
        IntRow{"exponent", "1e3", 1000}, IntRow{"plus_sign", "+5", 5},
        IntRow{"top_of_range", "32767", 32767}, IntRow{"bottom_of_range", "-32768", -32768},
        IntRow{"rounds_into_range", "32767.4", 32767},
        IntRow{"rounds_out_of_range", "32767.5", std::nullopt},
        IntRow{"above_range", "32768", std::nullopt}, IntRow{"below_range", "-32769", std::nullopt},
        IntRow{"full_width_digits", "\xEF\xBC\x91\xEF\xBC\x92", 12},
        IntRow{"full_width_minus_and_blank", "\xE3\x80\x80\xEF\xBC\x8D\xEF\xBC\x93", -3},
        IntRow{"empty", "", std::nullopt}, IntRow{"blanks_only", "   ", std::nullopt},
        IntRow{"letters", "abc", std::nullopt}, IntRow{"trailing_garbage", "12abc", std::nullopt},
        IntRow{"two_points", "1.2.3", std::nullopt}, IntRow{"lone_point", ".", std::nullopt},
        IntRow{"exponent_without_digits", "1e", std::nullopt},
        IntRow{"thousands_separator", "1,000", std::nullopt},
        IntRow{"hexadecimal", "0x10", std::nullopt}, IntRow{"infinity_word", "inf", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextToValue, reads_decimals_as_the_nearest_64_bit_value) {
    EXPECT_EQ(textToValue("12.3"), 12.3);
    EXPECT_EQ(textToValue("-0.0625"), -0.0625);
    EXPECT_EQ(textToValue(".5"), 0.5);
    EXPECT_EQ(textToValue("5."), 5.0);
    EXPECT_EQ(textToValue("1.5E2"), 150.0);
    EXPECT_EQ(textToValue("1523.123"), 1523.123);
    EXPECT_EQ(textToValue("16777217.000000001"), 16777217.000000001);
    EXPECT_EQ(textToValue("\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95"), 1.5);  // １．５
    EXPECT_EQ(textToValue("\xEF\xBC\x8B\xEF\xBC\x92"), 2.0);              // ＋２
}

TEST(TextToValue, refuses_values_beyond_the_32_bit_range_as_before) {
    EXPECT_EQ(textToValue("3.4e38"), 3.4e38);
    EXPECT_EQ(textToValue("3.4028235e38"), 3.4028235e38);  // the largest float, as typed
    EXPECT_EQ(textToValue("3.4028236e38"), std::nullopt);  // rounds to a 32-bit infinity
    EXPECT_EQ(textToValue("3.5e38"), std::nullopt);
    EXPECT_EQ(textToValue("-1e39"), std::nullopt);
    EXPECT_EQ(textToValue("1e-50"), 1e-50);
    EXPECT_EQ(textToValue("nan"), std::nullopt);
    EXPECT_EQ(textToValue(""), std::nullopt);
    EXPECT_TRUE(runtime::inValueRange(-std::numeric_limits<float>::max()));
    EXPECT_FALSE(runtime::inValueRange(std::numeric_limits<double>::infinity()));
}

TEST(NumberToText, gives_back_what_was_typed_for_64_bit_values) {
    for (const char* typed : {"20.5", "1523.123", "0.1", "3499.999", "-0.001", "12345.678",
                              "1209.375", "0.0005", "123456789012.345", "100000"}) {
        const std::optional<double> value = textToValue(typed);
        ASSERT_TRUE(value) << typed;
        EXPECT_EQ(numberToText(*value), typed);
    }
    EXPECT_EQ(numberToText(20.5), "20.5");  // not 20.499999999999996
    EXPECT_EQ(numberToText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(numberToText(1e15), "1e+15");
}

TEST(ReadNumber, accepts_what_a_64_bit_value_holds) {
    EXPECT_EQ(readNumber(" 0 "), 0.0);
    EXPECT_EQ(readNumber("00"), 0.0);
    EXPECT_EQ(readNumber("1e39"), 1e39);
    // Too large for 64 bits is still a number, only out of every range.
    EXPECT_EQ(readNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber("-" + std::string(5000, '9')), -std::numeric_limits<double>::infinity());
    // Beyond a double's range the other way: zero with its sign, as the C
    // library reads it; the smallest denormal still reads as itself.
    EXPECT_EQ(readNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(*readNumber("-0.000001e-400")));
    EXPECT_EQ(readNumber("0.00000000001e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(readNumber("12345e-5"), 0.12345);
    EXPECT_EQ(readNumber("ok"), std::nullopt);
}

TEST(ToHalfWidth, maps_full_width_ascii_and_the_ideographic_blank_only) {
    EXPECT_EQ(runtime::toHalfWidth("\xEF\xBD\x99\xE3\x80\x80\xEF\xBC\xB9"), "y Y");  // ｙ　Ｙ
    EXPECT_EQ(runtime::toHalfWidth("断面\xEF\xBC\x8C"), "断面,");                    // 断面，
    EXPECT_EQ(runtime::toHalfWidth("\xEF<\x81"), "\xEF<\x81");  // not UTF-8: left alone
}

TEST(NumberToText, writes_the_shortest_form_that_reads_back) {
    EXPECT_EQ(numberToText(3.0f), "3");
    EXPECT_EQ(numberToText(-1.0f), "-1");
    EXPECT_EQ(numberToText(20.5f), "20.5");
    EXPECT_EQ(numberToText(12.3f), "12.3");
    EXPECT_EQ(numberToText(0.1f), "0.1");
    EXPECT_EQ(numberToText(-0.0f), "0");
    EXPECT_EQ(numberToText(12), "12");
    EXPECT_EQ(numberToText(-7), "-7");
    // Plain decimals wherever a road survey's values reach, an exponent only
    // from 1e15 up and below 1e-5.
    EXPECT_EQ(numberToText(100000.0f), "100000");
    EXPECT_EQ(numberToText(200000000.0f), "200000000");
    EXPECT_EQ(numberToText(0.0005f), "0.0005");
    EXPECT_EQ(numberToText(-1020.5f), "-1020.5");
    EXPECT_EQ(numberToText(999999.9f), "999999.9");
    EXPECT_EQ(numberToText(1e14f), "100000000000000");
    EXPECT_EQ(numberToText(1e15f), "1e+15");
    EXPECT_EQ(numberToText(0.00001f), "0.00001");
    EXPECT_EQ(numberToText(0.000005f), "5e-06");
    const float max = std::numeric_limits<float>::max();
    EXPECT_EQ(textToValue(numberToText(max)), 3.4028235e38);
}

// Read without the C library's locale, every number reads as strtod reads it
// in the "C" locale, this test's own: digits on either side of the point,
// exponents near and beyond a double's range.
TEST(ReadNumber, reads_every_number_as_the_c_library_does) {
    std::mt19937 random(20261209);
    const auto digits = [&](int most) {
        std::string text;
        const int n = std::uniform_int_distribution<int>(0, most)(random);
        for (int k = 0; k < n; ++k) text += char('0' + random() % 10);
        return text;
    };
    for (int k = 0; k < 20000; ++k) {
        std::string text = random() % 2 ? "-" : "";
        const std::string whole = digits(25);
        const std::string fraction = digits(25);
        if (whole.empty() && fraction.empty()) continue;
        text += whole;
        if (!fraction.empty() || random() % 2) text += "." + fraction;
        if (random() % 2)
            text += "e" + std::to_string(std::uniform_int_distribution<int>(-400, 400)(random));
        const std::optional<double> read = readNumber(text);
        ASSERT_TRUE(read) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(expected))
            << text;
    }
}

}  // namespace
