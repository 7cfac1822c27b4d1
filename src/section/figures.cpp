// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figures.h"

#include <cmath>

#include "section/area.h"
#include "section/spacings.h"

namespace section {
namespace {

using runtime::ExactDecimal;

// A bound on the error of the area, following its sum edge by edge: each value
// entered lies within kUnit of its decimal, so each edge's term within about
// 5 kUnit of its magnitudes, and each addition adds at most kUnit of the
// partial sum. Halved with the sum, and twice that, to spare rounding of the
// bound itself.
double areaError(const double* h, const double* s, int count) {
    double sum = 0.0, partials = 0.0, magnitudes = 0.0;
    for (int j = 0; j < count; ++j) {
        const int next = j + 1 < count ? j + 1 : 0;
        sum += (h[next] + h[j]) * (s[j] - s[next]);
        partials += std::abs(sum);
        magnitudes += (std::abs(h[next]) + std::abs(h[j])) * (std::abs(s[j]) + std::abs(s[next]));
    }
    return kUnit * (partials + 6.0 * magnitudes) + count * kUnderflow;
}

// The exact area of section i, a decimal as its values are.
ExactDecimal exactArea(const SectionSurvey& survey, int i) {
    return exactSectionArea(survey.sectionElevations(i), survey.sectionOffsets(i),
                            survey.pointCounts(i));
}

ExactDecimal exactSpacing(const SectionSurvey& survey, int i) {
    if (survey.stationsEntered())
        return section::exactSpacing(survey.stations(i), survey.stations(i + 1),
                                     survey.spacings(i));
    return ExactDecimal::of(survey.spacings(i));
}

FigureSeries::Source sourceOf(const SectionSurvey& survey) {
    const auto* s = &survey;
    return {
        .count = survey.sectionCount(),
        .area =
            [s](int i) {
                const int count = s->pointCounts(i);
                return Bounded{s->areas(i), count < 1 ? 0.0
                                                      : areaError(s->sectionElevations(i),
                                                                  s->sectionOffsets(i), count)};
            },
        .exactArea = [s](int i) { return runtime::ExactFraction(exactArea(*s, i)); },
        // The decimal is its own span: its sums keep the few decimals of the
        // values, where a bracket of the fraction carries 40.
        .exactAreaSpan =
            [s](int i) {
                const ExactDecimal area = exactArea(*s, i);
                return DecimalSpan{area, area};
            },
        .hasVolume = [](int) { return true; },
        .volume = [s](int i) { return s->volumes(i); },
        .spacing = [s](int i) { return s->spacings(i); },
        .exactSpacing = [s](int i) { return exactSpacing(*s, i); },
        .method = survey.volumeMethod(),
    };
}

}  // namespace

Figures::Figures(const SectionSurvey& survey) : series_(sourceOf(survey)) {}

}  // namespace section
