// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The areas, volumes and totals of a calculated closed-outline survey as the
// user reads them, on screen, on the sheet and in the results table: one
// series of figures (section/figure_series.h), each exact to the last digit
// shown.

#include <string>

#include "section/figure_series.h"
#include "section/survey.h"

namespace section {

class Figures {
  public:
    // `survey` has been calculated and outlives this.
    explicit Figures(const SectionSurvey& survey);

    std::string area(int i) const { return series_.area(i); }      // 1..N
    std::string volume(int i) const { return series_.volume(i); }  // 1..N-1
    // The volumes before section i, 1..N.
    std::string runningTotal(int i) const { return series_.runningTotal(i); }
    std::string total() const { return series_.total(); }
    // All the figures, for what adds up some of them.
    const FigureSeries& series() const { return series_; }

  private:
    FigureSeries series_;
};

}  // namespace section
