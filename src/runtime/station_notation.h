// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stations typed in K notation, as surveyors write them: "K1+020.500" is
// 1 km + 20.5 m, that is 1020.5 m. Survey and design software puts other
// letters before the kilometres for other lines ("ZK" and "YK" for the left
// and right carriageways, "DK", "AK") or none at all ("0+000").

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Whether the text (blanks trimmed, half-width) is meant as station notation
// rather than a number: it starts with a Latin letter, or with digits (a
// minus before them) followed by "+".
bool isKNotation(std::string_view text);

// A station in notation: its letters before the kilometres, upper case ("K",
// "ZK"; empty for none), and its metres as plain decimal text.
struct StationNotation {
    std::string letters;
    std::string metres;
    bool operator==(const StationNotation&) const = default;
};

// Up to three Latin letters (either case) or none, then kilometres + "+" +
// metres below 1000 ("K1+020.500", "ZK1+20.5", "0+000"), its metres as the
// plain decimal text ("1020.500"), so that it reads exactly as the same
// station typed in metres. A minus before the kilometres makes the whole
// station negative ("K-1+020.000" is -1020, "K-0+010" is -10); the older
// forms with a minus before the metres too ("K-1+-20", "K0+-10") read the
// same. Nothing when the text is not of that form.
std::optional<StationNotation> readStationNotation(std::string_view text);

// The station of `metres`, plain decimal text ("1020.5", "-10"), in notation
// after `letters` with every digit kept ("ZK1+020.5", "0+010" for none,
// "K-0+010"): what readStationNotation reads back as the same letters and
// metres. Nothing when `metres` is not plain decimal text.
std::optional<std::string> stationNotationText(std::string_view letters, std::string_view metres);

}  // namespace runtime
