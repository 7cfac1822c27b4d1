// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/calculation.h"

#include "section/area.h"
#include "section/spacings.h"
#include "section/volumes.h"

namespace section {

bool calculateSurvey(SectionSurvey& survey, const Chainage* breaks) {
    if (survey.stationsEntered() && !spacingsFromStations(survey, breaks)) return false;
    return computeAreas(survey) && computeVolumes(survey);
}

}  // namespace section
