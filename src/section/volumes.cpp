// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/volumes.h"

#include "runtime/number_text.h"

namespace section {

bool computeVolumes(SectionSurvey& survey) {
    survey.setTotalVolume(0.0);
    for (int i = 1; i < survey.sectionCount(); ++i) {
        const double volume = volumeBetween(survey.volumeMethod(), survey.areas(i),
                                            survey.areas(i + 1), survey.spacings(i));
        survey.setVolume(i, volume);
        const double total = volume + survey.totalVolume();
        survey.setTotalVolume(total);
        if (!runtime::inValueRange(volume) || !runtime::inValueRange(total)) return false;
    }
    return true;
}

}  // namespace section
