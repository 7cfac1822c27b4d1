// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits of a cut-and-fill survey without Qt: a run of sections replaced by
// another, carrying both so that it runs backwards exactly. The survey is
// recalculated whole after each (the calculation is a pure function of the
// entered values, so the way back gives every result bit for bit as before).

#include <optional>
#include <vector>

#include "section/cut_fill_calculation.h"
#include "section/cut_fill_survey.h"

namespace document {

// Sections first..first+removed.size()-1 (1-based) replaced by `inserted`.
struct CutFillSplice {
    int first = 1;
    std::vector<section::CutFillSection> removed{};
    std::vector<section::CutFillSection> inserted{};
};

// Applies the splice (back: its reverse) and recalculates. On a fault the
// caller applies it back, which calculates as before.
std::optional<section::Fault> applyCutFill(section::CutFillSurvey& survey,
                                                  const CutFillSplice& splice, bool forward);

}  // namespace document
