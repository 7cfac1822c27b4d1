// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/quote.h"

#include <gtest/gtest.h>

namespace {

using runtime::quoteTyped;

TEST(Quoted, keeps_thirty_characters_and_marks_the_cut) {
    EXPECT_EQ(quoteTyped("12,3"), "“12,3”");
    EXPECT_EQ(quoteTyped(""), "“”");
    EXPECT_EQ(quoteTyped(std::string(30, '9')), "“" + std::string(30, '9') + "”");
    EXPECT_EQ(quoteTyped(std::string(5000, '9')), "“" + std::string(30, '9') + "…”");
    // Chinese characters count as one each and are never cut in the middle.
    std::string chinese;
    for (int i = 0; i < 31; ++i) chinese += "高";
    EXPECT_EQ(quoteTyped(chinese), "“" + chinese.substr(0, 30 * 3) + "…”");
}

}  // namespace
