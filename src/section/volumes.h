// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Volumes between adjacent sections by the average-end-area rule, and the total.

#include "section/survey.h"

namespace section {

// volumes(i) <- (areas(i+1) + areas(i)) x spacings(i) / 2 for i = 1..N-1, and
// their sum, each kept in 32 bits. Returns false when a volume or the total is
// beyond the 32-bit range.
bool computeVolumes(SectionSurvey& survey);

}  // namespace section
