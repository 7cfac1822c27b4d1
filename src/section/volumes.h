#pragma once
// Volumes between adjacent sections by the average-end-area rule, the total,
// and the results shown pair by pair.

#include "section/survey.h"
#include "section/user_interface.h"

namespace section {

// volumes(i) <- (areas(i+1) + areas(i)) x spacings(i) / 2 for i = 1..N-1, and
// their sum, each kept in 32 bits. Returns false when a volume or the total is
// beyond the 32-bit range.
bool computeVolumes(SectionSurvey& survey);

// Shows each pair's two areas, spacing and volume after a pause prompt, then
// the total.
void showResults(UserInterface& ui, const SectionSurvey& survey);

}  // namespace section
