// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/spacings.h"

#include "runtime/exact_decimal.h"
#include "runtime/number_text.h"

namespace section {

std::optional<double> spacingBetween(double station, double next) {
    const double spacing =
        (runtime::ExactDecimal::of(next) - runtime::ExactDecimal::of(station)).nearest();
    if (!runtime::inValueRange(spacing)) return std::nullopt;
    return spacing;
}

runtime::ExactDecimal exactSpacing(double station, double next, double spacing) {
    const runtime::ExactDecimal difference =
        runtime::ExactDecimal::of(next) - runtime::ExactDecimal::of(station);
    return difference.nearest() == spacing ? difference : runtime::ExactDecimal::of(spacing);
}

bool spacingsFromStations(SectionSurvey& survey, const Chainage* breaks) {
    if (breaks && !breaks->empty()) {
        std::vector<double> stations;
        for (int i = 1; i <= survey.sectionCount(); ++i) stations.push_back(survey.stations(i));
        const std::vector<ChainedStation> placed = breaks->place(stations);
        for (int i = 1; i < survey.sectionCount(); ++i) {
            const std::optional<double> spacing = breaks->spacing(placed[i - 1], placed[i]);
            if (!spacing) return false;
            survey.setSpacing(i, *spacing);
        }
        return true;
    }
    for (int i = 1; i < survey.sectionCount(); ++i) {
        const std::optional<double> spacing =
            spacingBetween(survey.stations(i), survey.stations(i + 1));
        if (!spacing) return false;
        survey.setSpacing(i, *spacing);
    }
    return true;
}

}  // namespace section
