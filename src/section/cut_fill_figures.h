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

// A section's cut and fill areas as shown, worked out from the section
// alone, for a view of one section that need not pay for the whole
// survey's figures. The section has areas.
struct AreaFigures {
    std::string cut;
    std::string fill;
};
AreaFigures cutFillAreaFigures(const CutFillSection& section);

// A section's exact cut and fill areas.
struct ExactCutFill {
    runtime::ExactFraction cut;
    runtime::ExactFraction fill;
};

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
    FigureSeries::Source series(double CutFillAreas::*area,
                                runtime::ExactFraction ExactCutFill::*exact,
                                double CutFillSection::*volume) const;
    const ExactCutFill& exactAreas(int i) const;

    const CutFillSurvey& survey_;
    mutable std::vector<std::optional<ExactCutFill>> exact_;  // 0..N
    FigureSeries cut_;
    FigureSeries fill_;
};

}  // namespace section
