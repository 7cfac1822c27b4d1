// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/station_notation.h"

#include <gtest/gtest.h>

namespace {

// The usual K as any letters: the metres as typed in full.
std::optional<std::string> kNotationMetres(std::string_view text) {
    const std::optional<runtime::StationNotation> notation = runtime::readStationNotation(text);
    if (!notation) return std::nullopt;
    EXPECT_EQ(notation->letters, "K") << text;
    return notation->metres;
}

TEST(KNotation, reads_as_the_metres_typed_in_full) {
    EXPECT_EQ(kNotationMetres("K0+100"), "0100");
    EXPECT_EQ(kNotationMetres("K1+20.5"), "1020.5");
    EXPECT_EQ(kNotationMetres("k12+345.678"), "12345.678");
    EXPECT_EQ(kNotationMetres("K-1+-234.5"), "-1234.5");
    EXPECT_EQ(kNotationMetres("K0+-5"), "-0005");
    EXPECT_EQ(kNotationMetres("K-1+020.000"), "-1020.000");
    EXPECT_EQ(kNotationMetres("K-0+010"), "-0010");
}

TEST(KNotation, refuses_what_is_not_k_notation) {
    for (const char* bad : {"K", "K1", "K+100", "K1+", "K1+1000", "K1+2x", "K1+-5", "1020.5",
                            "K1.5+100", "K1+20.", ""})
        EXPECT_EQ(kNotationMetres(bad), std::nullopt) << bad;
}

}  // namespace

namespace {

using runtime::readStationNotation;
using runtime::StationNotation;

struct NotationRow {
    const char* text;
    const char* letters;
    const char* metres;
};

TEST(StationNotationText, keeps_the_letters_before_the_kilometres) {
    for (const NotationRow& row : {NotationRow{"ZK1+020.000", "ZK", "1020.000"},
                                   {"YK0+000", "YK", "0000"},
                                   {"DK12+345.6", "DK", "12345.6"},
                                   {"AK0+5", "AK", "0005"},
                                   {"zk1+5", "ZK", "1005"},
                                   {"0+000", "", "0000"},
                                   {"-0+010", "", "-0010"},
                                   {"K1+0", "K", "1000"},
                                   {"ABC2+1", "ABC", "2001"}})
        EXPECT_EQ(readStationNotation(row.text), (StationNotation{row.letters, row.metres}))
            << row.text;
}

TEST(StationNotationText, refuses_four_letters_and_a_missing_part) {
    for (const char* bad : {"ABCD1+000", "ZK1+", "ZK+100", "Z1K+100", "1+1000", "ZK1.5+1", ""})
        EXPECT_EQ(readStationNotation(bad), std::nullopt) << bad;
}

TEST(StationNotationText, is_told_from_a_number_by_its_letters_or_its_plus) {
    for (const char* notation : {"ZK1+0", "0+000", "-0+010", "K1+", "ABCD1+000", "x"})
        EXPECT_TRUE(runtime::isKNotation(notation)) << notation;
    for (const char* number : {"1020.5", "1e+5", "-1E+5", "+5", "-12", ""})
        EXPECT_FALSE(runtime::isKNotation(number)) << number;
}

}  // namespace
