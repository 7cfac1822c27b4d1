// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/station.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "runtime/number_text.h"
#include "runtime/station_notation.h"

namespace section {
namespace {

// A station as the prompt and the files read it: K notation or metres.
double readStation(const std::string& text) {
    const std::optional<runtime::StationNotation> notation = runtime::readStationNotation(text);
    const std::optional<double> value = runtime::textToValue(notation ? notation->metres : text);
    EXPECT_TRUE(value) << text;
    return value.value_or(0.0);
}

// Every station of at most three decimals, in any form the reader takes, is
// written with at most one sign and reads back as the same value.
TEST(StationText, reads_back_as_every_station_the_reader_accepts) {
    std::mt19937 random(30);
    auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    for (int k = 0; k < 20000; ++k) {
        const int km = pick(0, k % 3 == 0 ? 2 : 99999);
        const int metres = pick(0, 999);
        const int thousandths = pick(0, 999);
        std::string decimals = std::to_string(thousandths);
        decimals = std::string(3 - decimals.size(), '0') + decimals;
        decimals.resize(pick(0, 3));
        const std::string metreText =
            std::to_string(metres) + (decimals.empty() ? "" : "." + decimals);
        std::string typed;
        switch (pick(0, 3)) {
            case 0:
                typed = "K" + std::to_string(km) + "+" + metreText;
                break;
            case 1:
                typed = "K-" + std::to_string(km) + "+" + metreText;
                break;
            case 2:
                typed = "K-" + std::to_string(km) + "+-" + metreText;
                break;
            default:
                typed = (pick(0, 1) ? "-" : "") + std::to_string(km * 1000 + metres) +
                        (decimals.empty() ? "" : "." + decimals);
        }
        const double value = readStation(typed);
        const std::string written = stationText(value);
        SCOPED_TRACE(typed + " -> " + written);
        EXPECT_LE(std::count(written.begin(), written.end(), '-'), 1);
        EXPECT_EQ(written.find("+-"), std::string::npos);
        EXPECT_EQ(readStation(written), value);
    }
}

}  // namespace
}  // namespace section
