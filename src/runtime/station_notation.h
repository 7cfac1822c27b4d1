// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stations typed in K notation, as surveyors write them: "K1+020.500" is
// 1 km + 20.5 m, that is 1020.5 m.

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Whether the text (blanks trimmed, half-width) is meant as K notation: it
// starts with "K" or "k".
bool isKNotation(std::string_view text);

// A station in K notation, "K" + kilometres + "+" + metres below 1000
// ("K1+020.500", "K1+20.5"), as the plain decimal text of its metres
// ("1020.500"), so that it reads exactly as the same station typed in metres.
// A minus before the kilometres makes the whole station negative
// ("K-1+020.000" is -1020, "K-0+010" is -10); the older forms with a minus
// before the metres too ("K-1+-20", "K0+-10") read the same. Nothing when the
// text is not K notation of that form.
std::optional<std::string> kNotationMetres(std::string_view text);

}  // namespace runtime
