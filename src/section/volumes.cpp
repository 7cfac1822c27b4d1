// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/volumes.h"

#include <cmath>

namespace section {

bool computeVolumes(SectionSurvey& survey) {
    survey.setTotalVolume(0.0f);
    for (int i = 1; i < survey.sectionCount(); ++i) {
        const auto volume =
            static_cast<float>((static_cast<double>(survey.areas(i + 1)) + survey.areas(i)) *
                               survey.spacings(i) / 2.0);
        survey.setVolume(i, volume);
        const auto total = static_cast<float>(static_cast<double>(volume) + survey.totalVolume());
        survey.setTotalVolume(total);
        if (!std::isfinite(volume) || !std::isfinite(total)) return false;
    }
    return true;
}

}  // namespace section
