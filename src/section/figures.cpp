// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figures.h"

#include <cmath>
#include <cstdint>
#include <vector>

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

// Twice the exact area of a section whose values all have at most 15 significant
// digits and 9 decimals (as surveyed values do): whole numbers of 10^-P at the
// common number of decimals P, summed in 128 bits, which cannot overflow for
// 32766 points of below 10^15 units. Nothing for other sections.
std::optional<ExactDecimal> scaledArea(const double* h, const double* s, int count) {
    constexpr int kMostDecimals = 9;
    const auto value = [&](std::size_t k) { return k % 2 == 0 ? h[k / 2] : s[k / 2]; };
    // Each value scaled once, at the decimals found so far: the ones before
    // the last rise again at P, where a value of fewer decimals may not fit:
    // then nothing.
    std::vector<std::int64_t> scaled(2 * std::size_t(count));
    int decimals = 0;
    std::size_t rescale = 0;
    for (std::size_t k = 0; k < scaled.size(); ++k) {
        std::optional<std::int64_t> whole;
        while (!(whole = runtime::scaledDecimal(value(k), decimals))) {
            if (++decimals > kMostDecimals) return std::nullopt;
            rescale = k;
        }
        scaled[k] = *whole;
    }
    for (std::size_t k = 0; k < rescale; ++k) {
        const std::optional<std::int64_t> whole = runtime::scaledDecimal(value(k), decimals);
        if (!whole) return std::nullopt;
        scaled[k] = *whole;
    }
    runtime::Int128 sum = 0;
    for (std::size_t j = 0; j < std::size_t(count); ++j) {
        const std::size_t next = j + 1 < std::size_t(count) ? j + 1 : 0;
        sum += (runtime::Int128(scaled[2 * next]) + scaled[2 * j]) *
               (runtime::Int128(scaled[2 * j + 1]) - scaled[2 * next + 1]);
    }
    return ExactDecimal::scaled(sum, -2 * decimals);
}

// Twice the exact area of a section of count >= 1 points.
ExactDecimal twiceArea(const double* h, const double* s, int count) {
    if (std::optional<ExactDecimal> fast = scaledArea(h, s, count)) return *fast;
    // Point by point, so a long section needs no more memory than a short one.
    const ExactDecimal h0 = ExactDecimal::of(h[0]), s0 = ExactDecimal::of(s[0]);
    ExactDecimal sum, hj = h0, sj = s0;
    for (int j = 0; j < count; ++j) {
        const bool closing = j + 1 == count;
        const ExactDecimal hNext = closing ? h0 : ExactDecimal::of(h[j + 1]);
        const ExactDecimal sNext = closing ? s0 : ExactDecimal::of(s[j + 1]);
        sum = sum + (hNext + hj) * (sj - sNext);
        hj = hNext;
        sj = sNext;
    }
    return sum;
}

// The exact area of section i, a decimal as its values are.
ExactDecimal exactArea(const SectionSurvey& survey, int i) {
    const int count = survey.pointCounts(i);
    return count < 1
               ? ExactDecimal()
               : twiceArea(survey.sectionElevations(i), survey.sectionOffsets(i), count).half();
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
