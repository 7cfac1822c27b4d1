// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/design_lines.h"

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

void fitDesignLines(CutFillSurvey& survey, const PreparedRoad* road,
                    const std::vector<ChainedStation>& placed) {
    const bool fits = road && road->hasProfile() && !placed.empty();
    for (std::size_t i = 0; i < survey.sections.size(); ++i) {
        CutFillSection& section = survey.sections[i];
        if (!section.designGenerated && !(fits && section.design.empty())) continue;
        section.fit.reset();
        section.design.clear();
        section.designGenerated = fits;
        if (!fits || section.ground.size() < 2) continue;
        FittedDesign fitted = road->fit(placed[i].chainage, section.ground);
        section.design = std::move(fitted.line);
        section.fit = std::move(fitted.fit);
    }
}

}  // namespace section
