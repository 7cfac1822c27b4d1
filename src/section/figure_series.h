// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One series of figures of a calculated survey, as the user reads them: the
// areas of the sections, the volumes between them by the survey's volume
// method and the running totals of the volumes. Each is the exact arithmetic
// of the values entered, rounded once to three decimals (halves to the even
// neighbour) and written "0.000", so that a checker working from the typed
// values gets every digit.
//
// The 64-bit figures of the record nearly always settle it: a figure is
// worked out exactly only when its binary value lies within its error bound
// of a half-thousandth, where the two could round apart.
//
// A closed outline's survey has one series, a cut-and-fill survey two (cut
// and fill); each gives its areas, their bounds and their exact values.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/exact_decimal.h"
#include "runtime/exact_fraction.h"
#include "runtime/exact_root.h"
#include "section/figure_bounds.h"
#include "section/volume_method.h"

namespace section {

// Decimals within 10^-40 either side of the value, or the value itself.
DecimalSpan bracket(const runtime::ExactFraction& value);

// A figure as shown, from the first of these that settles it: the 64-bit
// `figure` where no half-thousandth lies within its bound; `span(false)`,
// the span of the exact figure worked out in decimals from the bounds of the
// areas it is made of, where both ends round alike; `span(true)`, the same
// from tight spans of the exact areas; at last `exact()` itself. The later
// ones cost more and are needed less often: a span from the bounds keeps a
// long running total from adding up its 64-bit roundings, and the exact
// fractions of cut and fill are summed only where tight spans do not
// settle a figure. Prismoids' exact figures have square roots.
std::string figureText(const Bounded& figure, const std::function<DecimalSpan(bool exact)>& span,
                       const std::function<runtime::ExactRootSum()>& exact);

class FigureSeries {
  public:
    // Section i's (1-based) figures as the record holds them and exactly.
    struct Source {
        int count = 0;
        std::function<Bounded(int)> area;
        std::function<runtime::ExactFraction(int)> exactArea;
        // Optional: a tight span of the exact area, cheaper than the
        // bracket of exactArea.
        std::function<DecimalSpan(int)> exactAreaSpan;
        // The pair i, i+1: whether it has a volume, the record's volume and
        // spacing, and the spacing as entered.
        std::function<bool(int)> hasVolume;
        std::function<double(int)> volume;
        std::function<double(int)> spacing;
        std::function<runtime::ExactDecimal(int)> exactSpacing;
        VolumeMethod method = VolumeMethod::AverageEndArea;
    };
    explicit FigureSeries(Source source);

    std::string area(int i) const;          // 1..N
    std::string volume(int i) const;        // 1..N-1
    std::string runningTotal(int i) const;  // the volumes before section i, 1..N
    std::string total() const;
    // The volumes of the pairs first..last (1-based, inclusive) added up
    // exactly and rounded once, as a page's 小计 shows them; "0.000" for none.
    std::string pairsTotal(int first, int last) const;

    // The total, for figures worked out from the totals of two series.
    Bounded boundedTotal() const;
    DecimalSpan totalSpan(bool exact) const;
    runtime::ExactRootSum exactTotal() const;

  private:
    const Bounded& boundedArea(int i) const;
    void boundVolumes() const;
    runtime::ExactFraction exactArea(int i) const;
    runtime::ExactRootSum exactVolume(int i) const;
    runtime::ExactRootSum exactRunningTotal(int i) const;
    DecimalSpan areaSpan(int i, bool exact) const;
    DecimalSpan volumeSpan(int i, bool exact) const;
    DecimalSpan runningSpan(int i, bool exact) const;

    Source source_;
    // Worked out as they are first asked for: an area's bound costs a pass
    // over its points.
    mutable std::vector<std::optional<Bounded>> areas_;  // 0..N
    mutable std::vector<Bounded> volumes_;               // 0..N-1
    mutable std::vector<Bounded> running_;               // 0..N: volumes 1..i-1
    mutable std::vector<std::optional<runtime::ExactFraction>> exactAreas_;
    mutable std::vector<runtime::ExactRootSum> exactRunning_;  // the sums worked out so far
    mutable std::vector<std::optional<DecimalSpan>> exactAreaSpans_;
    mutable std::vector<DecimalSpan> runningSpans_[2];  // from the bounds, from the exact areas
};

}  // namespace section
