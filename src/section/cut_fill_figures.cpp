// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_figures.h"

#include <cmath>

#include "section/cut_fill_calculation.h"
#include "section/cut_fill_sweep.h"

namespace section {
namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;

// The lines of a section that has areas.
sweep::Lines linesOf(const CutFillSection& section) {
    return *sweep::overlapping(section.ground, section.design);
}

// Twice the area where F / denominator lies above zero over a strip of
// width w on which F runs linearly from fa to fb: the trapezoid, or up to
// where F crosses zero.
ExactFraction twiceAbove(const ExactDecimal& fa, const ExactDecimal& fb, const ExactDecimal& w,
                         const ExactDecimal& denominator) {
    const bool aBelow = fa.isNegative(), bBelow = fb.isNegative();
    if (!aBelow && !bBelow) return {(fa + fb) * w, denominator};
    if ((aBelow || fa.isZero()) && (bBelow || fb.isZero())) return {};
    const ExactDecimal& up = aBelow ? fb : fa;
    return {up * up * w, (aBelow ? fb - fa : fa - fb) * denominator};
}

// A bound on the error of the sweep's twice the cut, and of its twice the
// fill, strip by strip: the lines' values at a strip's sides lie within a
// few kUnit of the values' magnitudes, and more where a segment is short
// beside the magnitude of its S (the slope's share); the strip's area moves
// by at most its width for each side's value and in proportion to its width;
// each addition adds kUnit of the sum so far. Generous: a loose bound only
// costs an exact figure more often.
double twiceAreaError(const sweep::Lines& lines) {
    double error = 0.0, sum = 0.0, partials = 0.0;
    int strips = 0;
    sweep::forEachSegmentPair(lines, [&](double a, double b, std::size_t i, std::size_t j) {
        double magnitudes = 0.0, slopes = 0.0;
        for (const auto& [line, k] : {std::pair{&lines.ground, i}, std::pair{&lines.design, j}}) {
            const double h0 = line->h(k), h1 = line->h(k + 1);
            const double s0 = line->s(k), s1 = line->s(k + 1);
            magnitudes += std::abs(h0) + std::abs(h1);
            slopes += std::abs(h1 - h0) *
                      (std::abs(s0) + std::abs(s1) + std::abs(a) + std::abs(b)) / (s1 - s0);
        }
        const double w = b - a;
        error += w * (magnitudes + slopes) + (std::abs(a) + std::abs(b)) * magnitudes;
        sum += w * magnitudes;
        partials += sum;
        ++strips;
    });
    return 32.0 * kUnit * (error + partials) + strips * kUnderflow;
}

ExactDecimal exactSpacing(const CutFillSurvey& survey, int i) {
    const auto& sections = survey.sections;
    if (survey.stationsEntered())
        return ExactDecimal::of(sections[i].station) - ExactDecimal::of(sections[i - 1].station);
    return ExactDecimal::of(sections[i - 1].spacing);
}

}  // namespace

CutFillFigures::CutFillFigures(const CutFillSurvey& survey)
    : survey_(survey),
      exact_(survey.sections.size() + 1),
      cut_(series(&CutFillAreas::cut, &Exact::cut, &CutFillSection::cutVolume)),
      fill_(series(&CutFillAreas::fill, &Exact::fill, &CutFillSection::fillVolume)) {}

FigureSeries::Source CutFillFigures::series(double CutFillAreas::*area,
                                            runtime::ExactFraction Exact::*exact,
                                            double CutFillSection::*volume) const {
    const auto section = [this](int i) -> const CutFillSection& {
        return survey_.sections[std::size_t(i - 1)];
    };
    return {
        .count = survey_.sectionCount(),
        .area =
            [=, this](int i) {
                return Bounded{section(i).areas.value_or(CutFillAreas{}).*area, areaError(i)};
            },
        .exactArea = [=, this](int i) { return exactAreas(i).*exact; },
        .hasVolume = [this](int i) { return pairHasVolumes(survey_, i); },
        .volume = [=](int i) { return section(i).*volume; },
        .spacing = [=](int i) { return section(i).spacing; },
        .exactSpacing = [this](int i) { return exactSpacing(survey_, i); },
    };
}

std::string CutFillFigures::net() const {
    const Bounded cut = cut_.boundedTotal(), fill = fill_.boundedTotal();
    const double value = cut.value - fill.value;
    return boundedText({value, cut.error + fill.error + 2.0 * kUnit * std::abs(value)},
                       [&] { return cut_.exactTotal() - fill_.exactTotal(); });
}

double CutFillFigures::areaError(int i) const {
    const CutFillSection& section = survey_.sections[i - 1];
    return section.areas ? twiceAreaError(linesOf(section)) : 0.0;
}

// Both areas strip by strip from the values entered: on a strip, each line
// times its segment's width is a decimal linear in S, so ground minus design
// times both widths is a decimal F at either side.
const CutFillFigures::Exact& CutFillFigures::exactAreas(int i) const {
    std::optional<Exact>& known = exact_.at(i);
    if (known) return *known;
    const CutFillSection& section = survey_.sections[i - 1];
    known.emplace();
    if (!section.areas) return *known;
    const sweep::Lines lines = linesOf(section);
    ExactFraction twiceCut, twiceFill;
    sweep::forEachSegmentPair(lines, [&](double a, double b, std::size_t i, std::size_t j) {
        const auto of = [](double value) { return ExactDecimal::of(value); };
        const auto times = [&](const sweep::Ascending& line, std::size_t k, double at) {
            // The line's value at `at` times its segment's width.
            const ExactDecimal s0 = of(line.s(k)), s1 = of(line.s(k + 1)), x = of(at);
            return of(line.h(k)) * (s1 - x) + of(line.h(k + 1)) * (x - s0);
        };
        const ExactDecimal groundWidth = of(lines.ground.s(i + 1)) - of(lines.ground.s(i));
        const ExactDecimal designWidth = of(lines.design.s(j + 1)) - of(lines.design.s(j));
        const auto difference = [&](double at) {
            return designWidth * times(lines.ground, i, at) -
                   groundWidth * times(lines.design, j, at);
        };
        const ExactDecimal fa = difference(a), fb = difference(b), w = of(b) - of(a);
        const ExactDecimal widths = groundWidth * designWidth;
        twiceCut = twiceCut + twiceAbove(fa, fb, w, widths);
        twiceFill = twiceFill + twiceAbove(ExactDecimal() - fa, ExactDecimal() - fb, w, widths);
    });
    *known = {twiceCut.half(), twiceFill.half()};
    return *known;
}

}  // namespace section
