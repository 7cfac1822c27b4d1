// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/area.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/number_text.h"

namespace section {

namespace {

// Twice the exact area of a section whose values all have at most 15 significant
// digits and 9 decimals (as surveyed values do): whole numbers of 10^-P at the
// common number of decimals P, summed in 128 bits, which cannot overflow for
// 32766 points of below 10^15 units. Nothing for other sections.
std::optional<runtime::ExactDecimal> scaledArea(const double* h, const double* s, int count) {
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
    return runtime::ExactDecimal::scaled(sum, -2 * decimals);
}

// Twice the exact area of a section of count >= 1 points.
runtime::ExactDecimal twiceArea(const double* h, const double* s, int count) {
    if (std::optional<runtime::ExactDecimal> fast = scaledArea(h, s, count)) return *fast;
    // Point by point, so a long section needs no more memory than a short one.
    const runtime::ExactDecimal h0 = runtime::ExactDecimal::of(h[0]),
                                s0 = runtime::ExactDecimal::of(s[0]);
    runtime::ExactDecimal sum, hj = h0, sj = s0;
    for (int j = 0; j < count; ++j) {
        const bool closing = j + 1 == count;
        const runtime::ExactDecimal hNext = closing ? h0 : runtime::ExactDecimal::of(h[j + 1]);
        const runtime::ExactDecimal sNext = closing ? s0 : runtime::ExactDecimal::of(s[j + 1]);
        sum = sum + (hNext + hj) * (sj - sNext);
        hj = hNext;
        sj = sNext;
    }
    return sum;
}

}  // namespace

double sectionArea(const double* elevations, const double* offsets, int count) {
    if (count < 1) return 0.0;
    double sum = 0.0;
    for (int j = 1; j < count; ++j)
        sum += (elevations[j] + elevations[j - 1]) * (offsets[j - 1] - offsets[j]);
    // The last edge closes the outline back to point 1.
    sum += (elevations[0] + elevations[count - 1]) * (offsets[count - 1] - offsets[0]);
    return sum / 2.0;
}

runtime::ExactDecimal exactSectionArea(const double* elevations, const double* offsets, int count) {
    return count < 1 ? runtime::ExactDecimal() : twiceArea(elevations, offsets, count).half();
}

bool computeAreas(SectionSurvey& survey) {
    bool inRange = true;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const double area = sectionArea(survey.sectionElevations(i), survey.sectionOffsets(i),
                                        survey.pointCounts(i));
        survey.setArea(i, area);
        inRange = inRange && runtime::inValueRange(area);
    }
    return inRange;
}

}  // namespace section
