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

#include "section/cut_fill_area_span.h"
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

// A section's exact areas worked out as far as they are asked for: their
// tight spans, and the fractions only where those do not settle a figure.
class ExactSection {
  public:
    explicit ExactSection(const CutFillSection& section) : section_(&section) {}
    const AreaSpans& spans();
    const ExactCutFill& exact();

  private:
    const CutFillSection* section_;
    std::optional<AreaSpans> spans_;
    std::optional<ExactCutFill> exact_;
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
    FigureSeries::Source series(bool cut) const;

    const CutFillSurvey& survey_;
    mutable std::vector<ExactSection> exact_;  // 1..N at 0..N-1
    FigureSeries cut_;
    FigureSeries fill_;
};

}  // namespace section
