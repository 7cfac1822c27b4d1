// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Station (chainage) notation: "K" + kilometres + "+" + metres, as surveyors
// write it, for example 12345.678 m is "K12+345.678".

#include <string>
#include <string_view>

namespace section {

// The letters before a section's kilometres as a survey keeps them: empty for
// the usual "K", kBareStation for none ("0+000"), else the letters a file
// wrote ("ZK", "YK", "DK", ...), so that a survey typed or read in K notation
// keeps no letters at all.
inline constexpr std::string_view kBareStation = "-";

// The prefix a survey keeps for the letters of a station read ("K" -> "").
std::string stationPrefixOf(std::string_view letters);
// The letters a prefix kept stands for ("" -> "K", kBareStation -> "").
std::string stationLetters(std::string_view prefix);

// The kilometre part is the station divided by 1000 and truncated toward zero;
// the metre part is the exact rest of the station as entered, formatted
// "000.000". A metre part that rounds up
// to 1000.000 carries into the kilometres (999.9996 is "K1+000.000").
// A negative station has one sign, before the kilometres: -1234.5 is
// "K-1+234.500", -10 is "K-0+010.000", as K notation reads them back.
std::string stationText(double station);
// The same with the section's own letters: "ZK1+020.000", "0+000.000".
std::string stationText(double station, std::string_view prefix);

}  // namespace section
