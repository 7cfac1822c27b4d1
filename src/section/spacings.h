// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spacings DL between adjacent sections worked out from their stations.

#include <optional>

#include "runtime/exact_decimal.h"
#include "section/chainage.h"
#include "section/survey.h"

namespace section {

// spacings(i) <- stations(i+1) - stations(i), worked out exactly from the
// stations as entered and kept as the nearest 64-bit value, so that 1523.123 -
// 1500.1 is 23.023 and reads so. Returns false when a spacing is beyond the
// accepted range (runtime::inValueRange). With `breaks` (断链) the spacings
// are those of the continuous chainage.
bool spacingsFromStations(SectionSurvey& survey, const Chainage* breaks = nullptr);

// The spacing from `station` to `next` by the same rule; nothing when it is
// beyond the accepted range.
std::optional<double> spacingBetween(double station, double next);

// The exact spacing behind `spacing`, the one the calculation kept from
// `station` to `next`: their difference, or where the road's 断链 or 构造物
// made it another length, that length as the value it stands for (its
// shortest decimal, exact for stations of up to a dozen digits).
runtime::ExactDecimal exactSpacing(double station, double next, double spacing);

}  // namespace section
