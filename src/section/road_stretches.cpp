// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_stretches.h"

#include <algorithm>

namespace section {

Stretch placedStretch(const Chainage& chainage, const StationRange& range) {
    const std::vector<ChainedStation> ends = chainage.place({range.from, range.to});
    return {ends[0].chainage, ends[1].chainage};
}

double overlap(const Stretch& a, const Stretch& b) {
    return std::max(0.0, std::min(a.to, b.to) - std::max(a.from, b.from));
}

std::vector<Stretch> outside(const Stretch& stretch, const std::vector<Stretch>& left) {
    std::vector<Stretch> parts{stretch};
    for (const Stretch& cut : left) {
        std::vector<Stretch> kept;
        for (const Stretch& part : parts) {
            if (overlap(part, cut) <= 0.0) {
                kept.push_back(part);
                continue;
            }
            if (cut.from > part.from) kept.push_back({part.from, cut.from});
            if (cut.to < part.to) kept.push_back({cut.to, part.to});
        }
        parts = std::move(kept);
    }
    return parts;
}

}  // namespace section
