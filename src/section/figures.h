// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The areas, volumes and totals of a calculated survey as the user reads them,
// on screen, on the sheet and in the results table: each the exact decimal
// arithmetic of the values entered, rounded once to three decimals (halves to
// the even neighbour) and written "0.000", so that a checker working from the
// typed values gets every digit.
//
// The 64-bit figures of the record nearly always settle it: a figure is worked
// out exactly only when its binary value lies within its error bound of a
// half-thousandth, where the two could round apart.

#include <optional>
#include <string>
#include <vector>

#include "runtime/exact_decimal.h"
#include "section/survey.h"

namespace section {

class Figures {
  public:
    // `survey` has been calculated and outlives this.
    explicit Figures(const SectionSurvey& survey);

    std::string area(int i) const;          // 1..N
    std::string volume(int i) const;        // 1..N-1
    std::string runningTotal(int i) const;  // the volumes before section i, 1..N
    std::string total() const;

  private:
    // A 64-bit figure and a bound on how far it may lie from the exact one.
    struct Bounded {
        double value = 0.0;
        double error = 0.0;
    };

    std::string text(const Bounded& figure, runtime::ExactDecimal (Figures::*exact)(int) const,
                     int i) const;
    runtime::ExactDecimal exactArea(int i) const;
    runtime::ExactDecimal exactVolume(int i) const;
    runtime::ExactDecimal exactRunningTotal(int i) const;

    const SectionSurvey& survey_;
    std::vector<Bounded> areas_;    // 0..N
    std::vector<Bounded> volumes_;  // 0..N-1
    std::vector<Bounded> running_;  // 0..N: running_[i] is the sum of volumes 1..i-1
    mutable std::vector<std::optional<runtime::ExactDecimal>> exactAreas_;
    mutable std::vector<runtime::ExactDecimal> exactRunning_;  // the sums worked out so far
};

}  // namespace section
