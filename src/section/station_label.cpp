// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/station_label.h"

#include "section/station.h"

namespace section {

std::string stationLabel(const SectionSurvey& survey, int i) {
    return stationText(survey.stations(i), survey.stationPrefix(i));
}

std::string stationLabel(const CutFillSurvey& survey, int i) {
    const CutFillSection& section = survey.sections.at(std::size_t(i - 1));
    return stationText(section.station, section.stationPrefix);
}

}  // namespace section
