// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figures.h"

#include <cmath>

#include "runtime/number_format.h"

namespace section {
namespace {

using runtime::ExactDecimal;

constexpr double kUnit = 0x1p-53;      // the relative rounding error of one operation
constexpr double kUnderflow = 1e-290;  // room for products of values near zero

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

// Whether everything within `error` of `value` rounds to the same thousandth,
// and its shortest decimal too: no half-thousandth lies in between.
bool roundsClear(double value, double error) {
    const double magnitude = std::abs(value);
    if (!(magnitude < 1e12)) return false;  // thousandths finer than the value's own steps
    const double margin = 2.0 * error + 16.0 * kUnit * magnitude + kUnderflow;
    return std::floor((value - margin) * 1000.0 + 0.5) ==
           std::floor((value + margin) * 1000.0 + 0.5);
}

// Twice the exact area of a section whose values all have at most 15 significant
// digits and 9 decimals (as surveyed values do): whole numbers of 10^-P at the
// common number of decimals P, summed in 128 bits, which cannot overflow for
// 32766 points of below 10^15 units. Nothing for other sections.
std::optional<ExactDecimal> scaledArea(const double* h, const double* s, int count) {
    constexpr int kMostDecimals = 9;
    int decimals = 0;
    for (int j = 0; j < count; ++j) {
        for (const double value : {h[j], s[j]}) {
            while (!runtime::scaledDecimal(value, decimals))
                if (++decimals > kMostDecimals) return std::nullopt;
        }
    }
    // A value of fewer decimals may not fit at P decimals: then nothing.
    const std::optional<std::int64_t> h0 = runtime::scaledDecimal(h[0], decimals);
    const std::optional<std::int64_t> s0 = runtime::scaledDecimal(s[0], decimals);
    if (!h0 || !s0) return std::nullopt;
    runtime::Int128 sum = 0, hj = *h0, sj = *s0;
    for (int j = 0; j < count; ++j) {
        const bool closing = j + 1 == count;
        const std::optional<std::int64_t> hNext =
            closing ? h0 : runtime::scaledDecimal(h[j + 1], decimals);
        const std::optional<std::int64_t> sNext =
            closing ? s0 : runtime::scaledDecimal(s[j + 1], decimals);
        if (!hNext || !sNext) return std::nullopt;
        sum += (runtime::Int128(*hNext) + hj) * (sj - *sNext);
        hj = *hNext;
        sj = *sNext;
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

ExactDecimal exactSpacing(const SectionSurvey& survey, int i) {
    if (survey.stationsEntered())
        return ExactDecimal::of(survey.stations(i + 1)) - ExactDecimal::of(survey.stations(i));
    return ExactDecimal::of(survey.spacings(i));
}

}  // namespace

Figures::Figures(const SectionSurvey& survey) : survey_(survey) {
    const int n = survey.sectionCount();
    areas_.resize(n + 1);
    volumes_.resize(std::max(n, 1));
    running_.resize(n + 1);
    exactAreas_.resize(n + 1);
    for (int i = 1; i <= n; ++i) {
        const int count = survey.pointCounts(i);
        areas_[i] = {survey.areas(i), count < 1 ? 0.0
                                                : areaError(survey.sectionElevations(i),
                                                            survey.sectionOffsets(i), count)};
    }
    // A spacing is the nearest 64-bit value of the exact one, within kUnit of it.
    Bounded total;
    for (int i = 1; i < n; ++i) {
        running_[i] = total;
        const double sum = areas_[i + 1].value + areas_[i].value;
        const double spacing = std::abs(survey.spacings(i));
        volumes_[i] = {survey.volumes(i),
                       spacing * (areas_[i + 1].error + areas_[i].error) * (1.0 + 4.0 * kUnit) +
                           4.0 * kUnit * std::abs(sum * spacing) + kUnderflow};
        total.value = volumes_[i].value + total.value;
        total.error += volumes_[i].error + 2.0 * kUnit * std::abs(total.value);
    }
    if (n >= 1) running_[n] = total;
}

std::string Figures::text(const Bounded& figure, ExactDecimal (Figures::*exact)(int) const,
                          int i) const {
    if (roundsClear(figure.value, figure.error))
        return runtime::roundedFixed3(figure.value == 0.0 ? runtime::DecimalDigits{false, "0", 0}
                                                          : runtime::shortestDecimal(figure.value));
    return runtime::roundedFixed3((this->*exact)(i).digits());
}

std::string Figures::area(int i) const {
    return text(areas_.at(i), &Figures::exactArea, i);
}

std::string Figures::volume(int i) const {
    return text(volumes_.at(i), &Figures::exactVolume, i);
}

std::string Figures::runningTotal(int i) const {
    return text(running_.at(i), &Figures::exactRunningTotal, i);
}

std::string Figures::total() const {
    return runningTotal(survey_.sectionCount());
}

ExactDecimal Figures::exactArea(int i) const {
    std::optional<ExactDecimal>& known = exactAreas_.at(i);
    if (!known) {
        const int count = survey_.pointCounts(i);
        known =
            count < 1
                ? ExactDecimal()
                : twiceArea(survey_.sectionElevations(i), survey_.sectionOffsets(i), count).half();
    }
    return *known;
}

ExactDecimal Figures::exactVolume(int i) const {
    return ((exactArea(i + 1) + exactArea(i)) * exactSpacing(survey_, i)).half();
}

ExactDecimal Figures::exactRunningTotal(int i) const {
    if (exactRunning_.empty()) exactRunning_.emplace_back();  // before section 1
    while (static_cast<int>(exactRunning_.size()) < i)
        exactRunning_.push_back(exactRunning_.back() +
                                exactVolume(static_cast<int>(exactRunning_.size())));
    return exactRunning_.at(i - 1);
}

}  // namespace section
