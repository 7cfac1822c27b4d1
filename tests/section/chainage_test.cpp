// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/chainage.h"

#include <gtest/gtest.h>

#include <vector>

namespace section {
namespace {

// K1+100 = K1+080: a 长链 of 20 m, K1+080 to K1+100 occur twice.
const Chainage kLongChain({{1100, 1080}});

TEST(Chainage, a_station_in_a_long_chain_the_order_cannot_settle_is_ambiguous_on_the_first) {
    const std::vector<ChainedStation> placed = kLongChain.place({1060, 1090});
    EXPECT_EQ(placed[0], (ChainedStation{1060, 0, 1060, StationPlace::Plain}));
    EXPECT_EQ(placed[1], (ChainedStation{1090, 0, 1090, StationPlace::Ambiguous}));
    EXPECT_EQ(kLongChain.spacing(placed[0], placed[1]), 30.0);
}

TEST(Chainage, a_station_behind_the_one_before_goes_on_the_stretch_after_the_break) {
    const std::vector<ChainedStation> placed = kLongChain.place({1060, 1100, 1090, 1200});
    EXPECT_EQ(placed[1].stretch, 0);
    EXPECT_EQ(placed[2], (ChainedStation{1090, 1, 1110, StationPlace::Plain}));
    EXPECT_EQ(placed[3], (ChainedStation{1200, 1, 1220, StationPlace::Plain}));
    EXPECT_EQ(kLongChain.spacing(placed[1], placed[2]), 10.0);
}

TEST(Chainage, the_spacing_across_a_break_counts_its_length_exactly_either_way) {
    const ChainedStation before{1060, 0, 1060};
    const ChainedStation secondK1100{1100, 1, 1120};
    EXPECT_EQ(kLongChain.spacing(before, secondK1100), 60.0);
    EXPECT_EQ(kLongChain.spacing(secondK1100, before), -60.0);
    // Decimals as typed: 0.1 + 0.2 would not be 0.3 in binary.
    const Chainage decimals({{1000.1, 1000.0}});
    EXPECT_EQ(decimals.spacing({999.9, 0, 999.9}, {1000.2, 1, 1000.3}), 0.4);
    EXPECT_EQ(decimals.place({1000.2})[0].chainage, 1000.3);
}

TEST(Chainage, a_station_in_a_short_chain_gap_is_placed_as_if_there_were_no_break) {
    const Chainage shortChain({{2000, 2050}});
    const std::vector<ChainedStation> placed = shortChain.place({1990, 2020, 2060});
    EXPECT_EQ(placed[1], (ChainedStation{2020, 0, 2020, StationPlace::InGap}));
    EXPECT_EQ(placed[2], (ChainedStation{2060, 1, 2010, StationPlace::Plain}));
    EXPECT_EQ(shortChain.spacing(placed[0], placed[2]), 20.0);
}

TEST(Chainage, a_spacing_beyond_the_accepted_range_is_nothing) {
    const Chainage chain({{0, -3e38}});
    EXPECT_FALSE(chain.spacing({-1e38, 0, -1e38}, {3e38, 1, 6e38}));
}

}  // namespace
}  // namespace section
