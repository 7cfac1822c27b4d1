// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_figures.h"

#include <cmath>

#include "section/cut_fill_calculation.h"
#include "section/cut_fill_sweep.h"
#include "section/spacings.h"

namespace section {
namespace {

using runtime::ExactDecimal;
using runtime::ExactFraction;

// The lines a section's areas were worked out from; none where it has no
// areas, or areas it was given without lines that hold them (as a file may
// carry), which are then taken as they are.
std::optional<sweep::Lines> linesOf(const CutFillSection& section) {
    if (!section.areas || section.ground.size() < 2 || section.design.size() < 2) return {};
    return sweep::overlapping(section.ground, section.design);
}

// Twice the area where F / denominator lies above zero over a strip of
// width w on which F runs linearly from fa to fb, changing sign.
ExactFraction twiceAbove(const ExactDecimal& fa, const ExactDecimal& fb, const ExactDecimal& w,
                         const ExactDecimal& denominator) {
    const bool aAbove = !fa.isNegative();
    const ExactDecimal& up = aAbove ? fa : fb;
    return {up * up * w, (aAbove ? fa - fb : fb - fa) * denominator};
}

// Twice the integral of a line over strips handed on in increasing S. The
// strips that follow each other on one segment are taken as one piece: a
// whole segment's integral is a decimal, only a piece that ends inside a
// segment is a fraction of its width. So a section of many points and few
// crossings needs few fractions, whose divisors would otherwise multiply.
class LineIntegral {
  public:
    explicit LineIntegral(const sweep::Ascending& line)
        : line_(line),
          pieces_([this](std::size_t k, double from, double to) { add(k, from, to); }) {}

    sweep::SegmentPieces<double>& strips() { return pieces_; }

    ExactFraction twice() {
        pieces_.close();
        return ExactFraction(whole_) + parts_;
    }

  private:
    void add(std::size_t k, double fromValue, double toValue) {
        const ExactDecimal from = ExactDecimal::of(fromValue), to = ExactDecimal::of(toValue);
        if (fromValue == line_.s(k) && toValue == line_.s(k + 1)) {
            whole_ = whole_ + (ExactDecimal::of(line_.h(k)) + ExactDecimal::of(line_.h(k + 1))) *
                                  (to - from);
        } else {
            parts_ = parts_ +
                     ExactFraction((line_.timesWidth(k, fromValue) + line_.timesWidth(k, toValue)) *
                                       (to - from),
                                   line_.exactWidth(k));
        }
    }

    const sweep::Ascending& line_;
    ExactDecimal whole_;
    ExactFraction parts_;
    sweep::SegmentPieces<double> pieces_;
};

// A bound on the error of the sweep's twice the cut, and of its twice the
// fill, strip by strip: the lines' values at a strip's sides lie within a
// few kUnit of the values' magnitudes, and more where a segment is short
// beside the magnitude of its S (the slope's share); the strip's area moves
// by at most its width for each side's value and in proportion to its width;
// each addition adds kUnit of the sum so far, which the strips' trapezoids
// of ground minus design bound. Generous: a loose bound only costs an exact
// figure more often.
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
        const double apart = std::abs(lines.ground.valueAt(i, a) - lines.design.valueAt(j, a)) +
                             std::abs(lines.ground.valueAt(i, b) - lines.design.valueAt(j, b));
        error += w * (magnitudes + slopes) + (std::abs(a) + std::abs(b)) * apart;
        sum += w * apart;
        partials += sum;
        ++strips;
    });
    return 32.0 * kUnit * (error + partials) + strips * kUnderflow;
}

double areaErrorOf(const CutFillSection& section) {
    const std::optional<sweep::Lines> lines = linesOf(section);
    return lines ? twiceAreaError(*lines) : 0.0;
}

// Both areas from the values entered, strip by strip: on a strip, each line
// times its segment's width is a decimal linear in S, so ground minus design
// times both widths is a decimal F at either side, which tells the strip's
// kind. A strip that crosses adds its two parts as fractions; a strip above
// or below adds the lines' integrals over it, taken together with the
// strips next to it on the same segments.
ExactCutFill exactAreasOf(const CutFillSection& section) {
    const std::optional<sweep::Lines> held = linesOf(section);
    if (!held) {
        const CutFillAreas areas = section.areas.value_or(CutFillAreas{});
        return {ExactFraction(ExactDecimal::of(areas.cut)),
                ExactFraction(ExactDecimal::of(areas.fill))};
    }
    const sweep::Lines& lines = *held;
    LineIntegral groundAbove(lines.ground), designAbove(lines.design);
    LineIntegral groundBelow(lines.ground), designBelow(lines.design);
    ExactFraction crossingCut, crossingFill;
    sweep::forEachSegmentPair(lines, [&](double a, double b, std::size_t i, std::size_t j) {
        const ExactDecimal groundWidth = lines.ground.exactWidth(i);
        const ExactDecimal designWidth = lines.design.exactWidth(j);
        const auto difference = [&](double at) {
            return designWidth * lines.ground.timesWidth(i, at) -
                   groundWidth * lines.design.timesWidth(j, at);
        };
        const ExactDecimal fa = difference(a), fb = difference(b);
        const bool aBelow = fa.isNegative(), bBelow = fb.isNegative();
        if (!aBelow && !bBelow) {
            groundAbove.strips().add(i, a, b);
            designAbove.strips().add(j, a, b);
        } else if ((aBelow || fa.isZero()) && (bBelow || fb.isZero())) {
            groundBelow.strips().add(i, a, b);
            designBelow.strips().add(j, a, b);
        } else {
            const ExactDecimal w = ExactDecimal::of(b) - ExactDecimal::of(a);
            const ExactDecimal widths = groundWidth * designWidth;
            crossingCut = crossingCut + twiceAbove(fa, fb, w, widths);
            crossingFill =
                crossingFill + twiceAbove(ExactDecimal() - fa, ExactDecimal() - fb, w, widths);
        }
    });
    return {(groundAbove.twice() - designAbove.twice() + crossingCut).half(),
            (designBelow.twice() - groundBelow.twice() + crossingFill).half()};
}

ExactDecimal exactSpacing(const CutFillSurvey& survey, int i) {
    const auto& sections = survey.sections;
    if (survey.stationsEntered())
        return section::exactSpacing(sections[i - 1].station, sections[i].station,
                                     sections[i - 1].spacing);
    return ExactDecimal::of(sections[i - 1].spacing);
}

}  // namespace

CutFillFigures::CutFillFigures(const CutFillSurvey& survey)
    : survey_(survey),
      exact_(survey.sections.begin(), survey.sections.end()),
      cut_(series(true)),
      fill_(series(false)) {}

FigureSeries::Source CutFillFigures::series(bool cut) const {
    const auto section = [this](int i) -> const CutFillSection& {
        return survey_.sections[std::size_t(i - 1)];
    };
    const auto exact = [this](int i) -> ExactSection& { return exact_[std::size_t(i - 1)]; };
    return {
        .count = survey_.sectionCount(),
        .area =
            [=](int i) {
                const CutFillAreas areas = section(i).areas.value_or(CutFillAreas{});
                return Bounded{cut ? areas.cut : areas.fill, areaErrorOf(section(i))};
            },
        .exactArea = [=](int i) { return cut ? exact(i).exact().cut : exact(i).exact().fill; },
        .exactAreaSpan = [=](int i) { return cut ? exact(i).spans().cut : exact(i).spans().fill; },
        .hasVolume = [this](int i) { return pairHasVolumes(survey_, i); },
        .volume = [=](int i) { return cut ? section(i).cutVolume : section(i).fillVolume; },
        .spacing = [=](int i) { return section(i).spacing; },
        .exactSpacing = [this](int i) { return exactSpacing(survey_, i); },
        .method = survey_.volumeMethod,
    };
}

std::string CutFillFigures::net() const {
    const Bounded cut = cut_.boundedTotal(), fill = fill_.boundedTotal();
    const double value = cut.value - fill.value;
    return figureText(
        {value, cut.error + fill.error + 2.0 * kUnit * std::abs(value)},
        [&](bool exact) {
            const DecimalSpan a = cut_.totalSpan(exact), b = fill_.totalSpan(exact);
            return DecimalSpan{a.low - b.high, a.high - b.low};
        },
        [&] { return cut_.exactTotal() - fill_.exactTotal(); });
}

const AreaSpans& ExactSection::spans() {
    if (!spans_) {
        const std::optional<sweep::Lines> lines = linesOf(*section_);
        std::optional<AreaSpans> tight = lines ? cutFillAreaSpans(*lines) : std::nullopt;
        spans_ = tight ? *tight : AreaSpans{bracket(exact().cut), bracket(exact().fill)};
    }
    return *spans_;
}

const ExactCutFill& ExactSection::exact() {
    if (!exact_) exact_ = exactAreasOf(*section_);
    return *exact_;
}

AreaFigures cutFillAreaFigures(const CutFillSection& section) {
    const CutFillAreas areas = section.areas.value_or(CutFillAreas{});
    const double error = areaErrorOf(section);
    ExactSection exact(section);
    return {figureText(
                {areas.cut, error}, [&](bool) { return exact.spans().cut; },
                [&] { return exact.exact().cut; }),
            figureText(
                {areas.fill, error}, [&](bool) { return exact.spans().fill; },
                [&] { return exact.exact().fill; })};
}

}  // namespace section
