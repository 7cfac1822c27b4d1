// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/chainage.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "runtime/exact_decimal.h"
#include "runtime/number_text.h"

namespace section {

namespace {

using runtime::ExactDecimal;

// Whether stretch k holds the station as written.
bool holds(const std::vector<ChainBreak>& breaks, int k, double station) {
    const int n = static_cast<int>(breaks.size());
    return (k == 0 || station >= breaks[k - 1].after) && (k == n || station <= breaks[k].before);
}

// The lengths of the breaks from stretch `from` up to stretch `to`, added for
// a walk forward and taken off for one back, exactly.
ExactDecimal breaksPassed(const std::vector<ChainBreak>& breaks, int from, int to) {
    ExactDecimal sum;
    for (int k = from; k < to; ++k)
        sum = sum + ExactDecimal::of(breaks[k].before) - ExactDecimal::of(breaks[k].after);
    for (int k = to; k < from; ++k)
        sum = sum - ExactDecimal::of(breaks[k].before) + ExactDecimal::of(breaks[k].after);
    return sum;
}

double chainageOn(const std::vector<ChainBreak>& breaks, int stretch, double station) {
    if (stretch == 0) return station;
    return (ExactDecimal::of(station) + breaksPassed(breaks, 0, stretch)).nearest();
}

// The first break whose 短链 gap holds the station, at or after `first` if
// one is; a station on no stretch always lies in one when the breaks are in
// order along the road.
int gapHolding(const std::vector<ChainBreak>& breaks, int first, double station) {
    const int n = static_cast<int>(breaks.size());
    for (int pass = 0; pass < 2; ++pass, first = 0)
        for (int k = first; k < n; ++k)
            if (breaks[k].before < station && station < breaks[k].after) return k;
    return 0;
}

bool below(const ExactDecimal& a, const ExactDecimal& b) {
    return (a - b).isNegative();
}

const ExactDecimal& larger(const ExactDecimal& a, const ExactDecimal& b) {
    return below(a, b) ? b : a;
}

const ExactDecimal& smaller(const ExactDecimal& a, const ExactDecimal& b) {
    return below(b, a) ? b : a;
}

}  // namespace

Chainage::Chainage(std::vector<ChainBreak> breaks, const std::vector<StationRange>& structures)
    : breaks_(std::move(breaks)) {
    for (std::size_t k = 0; k < structures.size(); ++k) {
        const std::vector<ChainedStation> ends = place({structures[k].from, structures[k].to});
        const double slack = 1e-6 * (1.0 + std::abs(ends[0].chainage) + std::abs(ends[1].chainage));
        structures_.push_back({exactChainage(ends[0]), exactChainage(ends[1]), int(k),
                               ends[0].chainage - slack, ends[1].chainage + slack});
    }
    std::ranges::stable_sort(
        structures_, [](const Covered& a, const Covered& b) { return below(a.from, b.from); });
}

bool Chainage::Covered::near(double from, double to) const {
    return nearFrom < to && from < nearTo;
}

ExactDecimal Chainage::exactChainage(const ChainedStation& placed) const {
    return ExactDecimal::of(placed.station) + breaksPassed(breaks_, 0, placed.stretch);
}

std::vector<ChainedStation> Chainage::place(const std::vector<double>& stations) const {
    const int stretches = static_cast<int>(breaks_.size()) + 1;
    std::vector<ChainedStation> placed;
    placed.reserve(stations.size());
    for (const double station : stations) {
        const ChainedStation* previous = placed.empty() ? nullptr : &placed.back();
        const int from = previous ? previous->stretch : 0;
        ChainedStation here{station, -1, 0.0, StationPlace::Plain};
        int candidates = 0;
        for (int k = from; k < stretches; ++k) {
            if (!holds(breaks_, k, station)) continue;
            const double chainage = chainageOn(breaks_, k, station);
            if (previous && chainage < previous->chainage) continue;
            if (candidates++ == 0) here = {station, k, chainage, StationPlace::Plain};
        }
        if (candidates > 1) here.place = StationPlace::Ambiguous;
        // Stations going back: the first stretch that holds the station at
        // all, so that the spacing comes out negative as it would without
        // breaks and the survey's checks name it.
        for (int k = 0; here.stretch < 0 && k < stretches; ++k)
            if (holds(breaks_, k, station)) here = {station, k, chainageOn(breaks_, k, station)};
        if (here.stretch < 0) {
            const int gap = gapHolding(breaks_, from, station);
            // Before the break, as if it were not there.
            here = {station, gap, chainageOn(breaks_, gap, station), StationPlace::InGap};
        }
        placed.push_back(here);
    }
    return placed;
}

std::optional<double> Chainage::spacing(const ChainedStation& a, const ChainedStation& b) const {
    ExactDecimal length = ExactDecimal::of(b.station) - ExactDecimal::of(a.station) +
                          breaksPassed(breaks_, a.stretch, b.stretch);
    if (!structures_.empty() && !length.isNegative()) {
        // Each stretch of road counted out once, where structures overlap too.
        const ExactDecimal start = exactChainage(a), end = start + length;
        ExactDecimal reached = start;
        for (const Covered& covered : structures_) {
            if (!covered.near(a.chainage, b.chainage)) continue;
            const ExactDecimal& from = larger(covered.from, reached);
            const ExactDecimal& to = smaller(covered.to, end);
            if (below(from, to)) length = length - (to - from);
            reached = larger(reached, smaller(covered.to, end));
        }
    }
    const double spacing = length.nearest();
    if (!runtime::inValueRange(spacing)) return std::nullopt;
    return spacing;
}

std::vector<int> Chainage::structuresAcross(const ChainedStation& a,
                                            const ChainedStation& b) const {
    std::vector<int> found;
    for (const Covered& covered : structures_) {
        if (!covered.near(a.chainage, b.chainage)) continue;
        if (below(larger(covered.from, exactChainage(a)), smaller(covered.to, exactChainage(b))))
            found.push_back(covered.structure);
    }
    std::ranges::sort(found);
    return found;
}

}  // namespace section
