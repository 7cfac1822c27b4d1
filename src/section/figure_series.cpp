// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figure_series.h"

#include <cmath>

#include "runtime/number_format.h"
#include "section/prismoid_figures.h"

namespace section {
namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;
using runtime::ExactRootSum;

// Whether everything within `error` of `value` rounds to the same thousandth,
// and its shortest decimal too: no half-thousandth lies in between.
bool roundsClear(double value, double error) {
    const double magnitude = std::abs(value);
    if (!(magnitude < 1e12)) return false;  // thousandths finer than the value's own steps
    const double margin = 2.0 * error + 16.0 * kUnit * magnitude + kUnderflow;
    return std::floor((value - margin) * 1000.0 + 0.5) ==
           std::floor((value + margin) * 1000.0 + 0.5);
}

// Where the figure's exact value lies, from its 64-bit value and bound: the
// margin of roundsClear, in decimals.
DecimalSpan spanOf(const Bounded& figure) {
    const ExactDecimal value = ExactDecimal::of(figure.value);
    const ExactDecimal margin =
        ExactDecimal::of(2.0 * figure.error + 16.0 * kUnit * std::abs(figure.value) + kUnderflow);
    return {value - margin, value + margin};
}

DecimalSpan plus(const DecimalSpan& a, const DecimalSpan& b) {
    return {a.low + b.low, a.high + b.high};
}

DecimalSpan averageTimes(const DecimalSpan& a, const DecimalSpan& b, const ExactDecimal& factor) {
    const DecimalSpan sum = plus(a, b);
    const ExactDecimal low = (sum.low * factor).half(), high = (sum.high * factor).half();
    return factor.isNegative() ? DecimalSpan{high, low} : DecimalSpan{low, high};
}

// The figure from its 64-bit value where that settles it.
std::optional<std::string> clearText(const Bounded& figure) {
    if (!roundsClear(figure.value, figure.error)) return std::nullopt;
    return runtime::roundedFixed3(figure.value == 0.0 ? runtime::DecimalDigits{false, "0", 0}
                                                      : runtime::shortestDecimal(figure.value));
}

std::optional<std::string> settled(const DecimalSpan& span) {
    std::string low = runtime::roundedFixed3(span.low.digits());
    if (low != runtime::roundedFixed3(span.high.digits())) return std::nullopt;
    return low;
}

}  // namespace

DecimalSpan bracket(const ExactFraction& value) {
    runtime::DecimalBracket span = runtime::bracketAt(value, -40);
    return {std::move(span.low), std::move(span.high)};
}

std::string figureText(const Bounded& figure, const std::function<DecimalSpan(bool exact)>& span,
                       const std::function<ExactRootSum()>& exact) {
    if (std::optional<std::string> text = clearText(figure)) return *std::move(text);
    for (const bool exactly : {false, true}) {
        if (std::optional<std::string> text = settled(span(exactly))) return *std::move(text);
    }
    return runtime::roundedFixed3(exact().roundingDigits());
}

FigureSeries::FigureSeries(Source source)
    : source_(std::move(source)),
      areas_(source_.count + 1),
      exactAreas_(source_.count + 1),
      exactAreaSpans_(source_.count + 1) {}

const Bounded& FigureSeries::boundedArea(int i) const {
    std::optional<Bounded>& known = areas_.at(i);
    if (!known) known = source_.area(i);
    return *known;
}

// A spacing is the nearest 64-bit value of the exact one, within kUnit of it.
void FigureSeries::boundVolumes() const {
    if (!running_.empty()) return;
    const int n = source_.count;
    volumes_.resize(std::max(n, 1));
    running_.resize(n + 1);
    Bounded total;
    for (int i = 1; i < n; ++i) {
        running_[i] = total;
        if (!source_.hasVolume(i)) continue;
        const Bounded& here = boundedArea(i);
        const Bounded& next = boundedArea(i + 1);
        const double sum = next.value + here.value;
        const double spacing = std::abs(source_.spacing(i));
        volumes_[i] = source_.method == VolumeMethod::Prismoidal
                          ? prismoidBound(here, next, spacing, source_.volume(i))
                          : Bounded{source_.volume(i),
                                    spacing * (next.error + here.error) * (1.0 + 4.0 * kUnit) +
                                        4.0 * kUnit * std::abs(sum * spacing) + kUnderflow};
        total.value = volumes_[i].value + total.value;
        total.error += volumes_[i].error + 2.0 * kUnit * std::abs(total.value);
    }
    if (n >= 1) running_[n] = total;
}

std::string FigureSeries::area(int i) const {
    return figureText(
        boundedArea(i), [&](bool exact) { return areaSpan(i, exact); },
        [&] { return exactArea(i); });
}

std::string FigureSeries::volume(int i) const {
    boundVolumes();
    return figureText(
        volumes_.at(i), [&](bool exact) { return volumeSpan(i, exact); },
        [&] { return exactVolume(i); });
}

std::string FigureSeries::runningTotal(int i) const {
    boundVolumes();
    return figureText(
        running_.at(i), [&](bool exact) { return runningSpan(i, exact); },
        [&] { return exactRunningTotal(i); });
}

std::string FigureSeries::total() const {
    return runningTotal(source_.count);
}

std::string FigureSeries::pairsTotal(int first, int last) const {
    boundVolumes();
    Bounded sum;
    for (int i = first; i <= last; ++i) {
        sum.value = volumes_.at(i).value + sum.value;
        sum.error += volumes_[i].error + 2.0 * kUnit * std::abs(sum.value);
    }
    return figureText(
        sum,
        [&](bool exact) {
            DecimalSpan span;
            for (int i = first; i <= last; ++i) span = plus(span, volumeSpan(i, exact));
            return span;
        },
        [&] {
            ExactRootSum exact;
            for (int i = first; i <= last; ++i) exact = exact + exactVolume(i);
            return exact;
        });
}

Bounded FigureSeries::boundedTotal() const {
    boundVolumes();
    return source_.count >= 1 ? running_.at(source_.count) : Bounded{};
}

DecimalSpan FigureSeries::totalSpan(bool exact) const {
    return source_.count >= 1 ? runningSpan(source_.count, exact) : DecimalSpan{};
}

DecimalSpan FigureSeries::areaSpan(int i, bool exact) const {
    if (!exact) return spanOf(boundedArea(i));
    std::optional<DecimalSpan>& known = exactAreaSpans_.at(i);
    if (!known) known = source_.exactAreaSpan ? source_.exactAreaSpan(i) : bracket(exactArea(i));
    return *known;
}

DecimalSpan FigureSeries::volumeSpan(int i, bool exact) const {
    if (!source_.hasVolume(i)) return {};
    if (source_.method == VolumeMethod::Prismoidal)
        return prismoidSpan(areaSpan(i, exact), areaSpan(i + 1, exact), source_.exactSpacing(i));
    return averageTimes(areaSpan(i + 1, exact), areaSpan(i, exact), source_.exactSpacing(i));
}

DecimalSpan FigureSeries::runningSpan(int i, bool exact) const {
    std::vector<DecimalSpan>& sums = runningSpans_[exact];
    if (sums.empty()) sums.emplace_back();  // before section 1
    while (static_cast<int>(sums.size()) < i)
        sums.push_back(plus(sums.back(), volumeSpan(static_cast<int>(sums.size()), exact)));
    return sums.at(i - 1);
}

ExactRootSum FigureSeries::exactTotal() const {
    return source_.count >= 1 ? exactRunningTotal(source_.count) : ExactRootSum();
}

ExactFraction FigureSeries::exactArea(int i) const {
    std::optional<ExactFraction>& known = exactAreas_.at(i);
    if (!known) known = source_.exactArea(i);
    return *known;
}

ExactRootSum FigureSeries::exactVolume(int i) const {
    if (!source_.hasVolume(i)) return {};
    if (source_.method == VolumeMethod::Prismoidal)
        return exactPrismoid(exactArea(i), exactArea(i + 1), source_.exactSpacing(i));
    return ((exactArea(i + 1) + exactArea(i)) * ExactFraction(source_.exactSpacing(i))).half();
}

ExactRootSum FigureSeries::exactRunningTotal(int i) const {
    if (exactRunning_.empty()) exactRunning_.emplace_back();  // before section 1
    while (static_cast<int>(exactRunning_.size()) < i)
        exactRunning_.push_back(exactRunning_.back() +
                                exactVolume(static_cast<int>(exactRunning_.size())));
    return exactRunning_.at(i - 1);
}

}  // namespace section
