// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figures.h"

#include <cmath>

#include "runtime/number_format.h"

namespace section {
namespace {

using runtime::ExactDecimal;

constexpr double kUnit = 0x1p-53;      // the relative rounding error of one operation
constexpr double kUnderflow = 1e-290;  // room for products of values near zero

// A bound on the error of the area's sum, from the magnitudes of its edges:
// each value entered lies within kUnit of its decimal, each sum, difference
// and product adds kUnit, and a sum of n terms at most n x kUnit of their
// magnitudes. Twice that, to spare rounding of the bound itself.
double areaError(const double* h, const double* s, int count) {
    if (count < 1) return 0.0;
    double magnitudes = 0.0;
    for (int j = 1; j < count; ++j)
        magnitudes += (std::abs(h[j]) + std::abs(h[j - 1])) * (std::abs(s[j - 1]) + std::abs(s[j]));
    magnitudes +=
        (std::abs(h[0]) + std::abs(h[count - 1])) * (std::abs(s[count - 1]) + std::abs(s[0]));
    return (count + 8) * kUnit * magnitudes + count * kUnderflow;
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
    if (known) return *known;
    const int count = survey_.pointCounts(i);
    ExactDecimal sum;
    if (count >= 1) {
        const double* h = survey_.sectionElevations(i);
        const double* s = survey_.sectionOffsets(i);
        std::vector<ExactDecimal> heights, offsets;
        for (int j = 0; j < count; ++j) {
            heights.push_back(ExactDecimal::of(h[j]));
            offsets.push_back(ExactDecimal::of(s[j]));
        }
        for (int j = 0; j < count; ++j) {
            const int next = j + 1 < count ? j + 1 : 0;
            sum = sum + (heights[next] + heights[j]) * (offsets[j] - offsets[next]);
        }
    }
    known = sum.half();
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
