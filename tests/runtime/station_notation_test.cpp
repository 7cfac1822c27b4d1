// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/station_notation.h"

#include <gtest/gtest.h>

namespace {

using runtime::kNotationMetres;

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
