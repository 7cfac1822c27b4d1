// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/station.h"

#include <cmath>

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace section {

std::string stationPrefixOf(std::string_view letters) {
    if (letters == "K") return {};
    if (letters.empty()) return std::string(kBareStation);
    return std::string(letters);
}

std::string stationLetters(std::string_view prefix) {
    if (prefix.empty()) return "K";
    if (prefix == kBareStation) return {};
    return std::string(prefix);
}

std::string stationText(double station) {
    return stationText(station, {});
}

std::string stationText(double station, std::string_view prefix) {
    // The magnitude written, the sign put before it: halves round away from
    // zero, so either sign rounds alike.
    const double magnitude = std::abs(station);
    double km = runtime::truncate(magnitude / 1000.0);
    const runtime::ExactDecimal metres =
        runtime::ExactDecimal::of(magnitude) -
        runtime::ExactDecimal::of(km) * runtime::ExactDecimal::of(1000.0);
    std::string metreText = runtime::formatFixed3(metres.digits(), 3);
    if (metreText == "1000.000") {
        km += 1.0;
        metreText = "000.000";
    }
    const bool negative = station < 0 && (km != 0.0 || metreText != "000.000");
    std::string letters = stationLetters(prefix);
    if (negative) letters += '-';
    return letters + runtime::numberToText(km) + "+" + metreText;
}

}  // namespace section
