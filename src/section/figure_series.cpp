// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/figure_series.h"

#include <cmath>

#include "runtime/number_format.h"

namespace section {
namespace {

using runtime::ExactFraction;

// Whether everything within `error` of `value` rounds to the same thousandth,
// and its shortest decimal too: no half-thousandth lies in between.
bool roundsClear(double value, double error) {
    const double magnitude = std::abs(value);
    if (!(magnitude < 1e12)) return false;  // thousandths finer than the value's own steps
    const double margin = 2.0 * error + 16.0 * kUnit * magnitude + kUnderflow;
    return std::floor((value - margin) * 1000.0 + 0.5) ==
           std::floor((value + margin) * 1000.0 + 0.5);
}

}  // namespace

std::string boundedText(const Bounded& figure, const std::function<ExactFraction()>& exact) {
    if (roundsClear(figure.value, figure.error))
        return runtime::roundedFixed3(figure.value == 0.0 ? runtime::DecimalDigits{false, "0", 0}
                                                          : runtime::shortestDecimal(figure.value));
    return runtime::roundedFixed3(exact().roundingDigits());
}

FigureSeries::FigureSeries(Source source)
    : source_(std::move(source)), areas_(source_.count + 1), exactAreas_(source_.count + 1) {}

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
        volumes_[i] = {source_.volume(i),
                       spacing * (next.error + here.error) * (1.0 + 4.0 * kUnit) +
                           4.0 * kUnit * std::abs(sum * spacing) + kUnderflow};
        total.value = volumes_[i].value + total.value;
        total.error += volumes_[i].error + 2.0 * kUnit * std::abs(total.value);
    }
    if (n >= 1) running_[n] = total;
}

std::string FigureSeries::area(int i) const {
    return boundedText(boundedArea(i), [&] { return exactArea(i); });
}

std::string FigureSeries::volume(int i) const {
    boundVolumes();
    return boundedText(volumes_.at(i), [&] { return exactVolume(i); });
}

std::string FigureSeries::runningTotal(int i) const {
    boundVolumes();
    return boundedText(running_.at(i), [&] { return exactRunningTotal(i); });
}

std::string FigureSeries::total() const {
    return runningTotal(source_.count);
}

Bounded FigureSeries::boundedTotal() const {
    boundVolumes();
    return source_.count >= 1 ? running_.at(source_.count) : Bounded{};
}

ExactFraction FigureSeries::exactTotal() const {
    return source_.count >= 1 ? exactRunningTotal(source_.count) : ExactFraction();
}

ExactFraction FigureSeries::exactArea(int i) const {
    std::optional<ExactFraction>& known = exactAreas_.at(i);
    if (!known) known = source_.exactArea(i);
    return *known;
}

ExactFraction FigureSeries::exactVolume(int i) const {
    if (!source_.hasVolume(i)) return {};
    return ((exactArea(i + 1) + exactArea(i)) * ExactFraction(source_.exactSpacing(i))).half();
}

ExactFraction FigureSeries::exactRunningTotal(int i) const {
    if (exactRunning_.empty()) exactRunning_.emplace_back();  // before section 1
    while (static_cast<int>(exactRunning_.size()) < i)
        exactRunning_.push_back(exactRunning_.back() +
                                exactVolume(static_cast<int>(exactRunning_.size())));
    return exactRunning_.at(i - 1);
}

}  // namespace section
