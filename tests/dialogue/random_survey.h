// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random surveys as a survey file gives them: one section or several, with
// stations or spacings, sections without points among them.

#include <array>
#include <random>

#include "runtime/number_text.h"
#include "section/survey.h"

namespace section::testing {

// Values of every sign and size; with `extremes`, now and then one that a
// file can hold but that makes the calculation overflow (3e38), or a zero
// of either sign, or one too small for a normal 32-bit value.
inline double randomValue(std::mt19937& random, bool extremes) {
    static constexpr std::array<double, 6> kExtremes{0.0, -0.0, 1e-40, 3e38, -3e38, 1e7};
    if (extremes && random() % 20 == 0) return kExtremes[random() % kExtremes.size()];
    return std::uniform_real_distribution<double>(-2000.0, 2000.0)(random);
}

// With `letters`, the stations have letters before their kilometres now and
// then (section/station.h), as often as not the same as the section before's.
inline SectionSurvey randomSurvey(std::mt19937& random, bool extremes = false,
                                  bool letters = false) {
    static constexpr std::array<const char*, 4> kPrefixes{"", "ZK", "YK", "-"};
    std::uniform_int_distribution<int> sections(1, 6), points(0, 7);
    auto value = [&] { return randomValue(random, extremes); };
    SectionSurvey survey;
    survey.resize(random() % 4 == 0 ? 1 : sections(random));
    survey.setStationAnswer(random() % 2 ? "y" : "n");
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        if (survey.stationsEntered()) survey.setStation(i, value());
        if (survey.stationsEntered() && letters) {
            // A station written with an exponent has no notation to bring other letters.
            const bool plain =
                runtime::numberToText(survey.stations(i)).find_first_of("eE") == std::string::npos;
            const std::string before = i > 1 ? survey.stationPrefix(i - 1) : std::string();
            survey.setStationPrefix(i, !plain || random() % 2 ? before : kPrefixes[random() % 4]);
        }
        survey.setPointCount(i, static_cast<std::int16_t>(points(random)));
    }
    survey.allocatePoints();
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j)
            survey.setPoint(i, j, value() / 10, value() / 100);
        if (i < survey.sectionCount() && !survey.stationsEntered())
            survey.setSpacing(i, value() / 50);
    }
    return survey;
}

}  // namespace section::testing
