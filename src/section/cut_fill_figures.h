// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures of a calculated cut-and-fill survey as the user reads them, in
// the window, on the sheet, in the results and the quantity table: two
// series (section/figure_series.h), cut and fill, each figure exact to the
// last digit shown as the closed outline's are. Where the lines cross, a
// region ends at a point that is a fraction of the values entered, so the
// exact areas are fractions.

#include <optional>
#include <string>
#include <vector>

#include "section/cut_fill_survey.h"
#include "section/figure_series.h"

namespace section {

class CutFillFigures {
  public:
    // `survey` has been calculated and outlives this.
    explicit CutFillFigures(const CutFillSurvey& survey);
    CutFillFigures(const CutFillFigures&) = delete;
    CutFillFigures& operator=(const CutFillFigures&) = delete;

    // Areas of the sections that have them, volumes of the pairs that have
    // them, running totals and totals.
    const FigureSeries& cut() const { return cut_; }
    const FigureSeries& fill() const { return fill_; }
    std::string net() const;  // the total cut less the total fill

  private:
    struct Exact {
        runtime::ExactFraction cut;
        runtime::ExactFraction fill;
    };
    FigureSeries::Source series(double CutFillAreas::*area, runtime::ExactFraction Exact::*exact,
                                double CutFillSection::*volume) const;
    double areaError(int i) const;
    const Exact& exactAreas(int i) const;

    const CutFillSurvey& survey_;
    mutable std::vector<std::optional<Exact>> exact_;  // 0..N
    FigureSeries cut_;
    FigureSeries fill_;
};

}  // namespace section
