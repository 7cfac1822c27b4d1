// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/design_lines.h"

#include <cmath>

namespace section {

std::vector<ChainedStation> placedSections(const CutFillSurvey& survey, const PreparedRoad* road) {
    if (!survey.stationsEntered()) return {};
    std::vector<double> stations;
    stations.reserve(survey.sections.size());
    for (const CutFillSection& section : survey.sections) stations.push_back(section.station);
    if (road) return road->chainage().place(stations);
    std::vector<ChainedStation> placed;
    placed.reserve(stations.size());
    for (double station : stations) placed.push_back({station, 0, station, StationPlace::Plain});
    return placed;
}

namespace {

double toMillimetres(double metres) {
    return std::nearbyint(metres * 1000.0) / 1000.0;
}

// The line to the millimetre, as the sheet and the table show it and a
// typed line would be: the areas are then those of the points printed. The
// fit's catch points and centre height follow the points kept.
void keepMillimetres(FittedDesign& fitted) {
    for (Point& point : fitted.line) {
        point.elevation = toMillimetres(point.elevation);
        point.offset = toMillimetres(point.offset);
    }
    if (fitted.line.empty()) return;
    RoadFit& fit = fitted.fit;
    // The line runs in increasing S: from the right catch point to the left.
    if (fit.right.catchDistance) fit.right.catchDistance = std::abs(fitted.line.front().offset);
    if (fit.left.catchDistance) fit.left.catchDistance = std::abs(fitted.line.back().offset);
    fit.designElevation = toMillimetres(fit.designElevation);
}

}  // namespace

void fitDesignLines(CutFillSurvey& survey, const PreparedRoad* road,
                    const std::vector<ChainedStation>& placed) {
    const bool fits = road && road->hasProfile() && !placed.empty();
    for (std::size_t i = 0; i < survey.sections.size(); ++i) {
        CutFillSection& section = survey.sections[i];
        if (!section.designGenerated && !(fits && section.design.empty())) continue;
        section.fit.reset();
        // The codes went with the points they named; the ground's stay.
        section.design.clear();
        section.designCodes.clear();
        section.designGenerated = fits;
        if (!fits || section.ground.size() < 2) continue;
        FittedDesign fitted = road->fit(placed[i].chainage, section.ground);
        keepMillimetres(fitted);
        section.design = std::move(fitted.line);
        section.fit = std::move(fitted.fit);
    }
}

}  // namespace section
