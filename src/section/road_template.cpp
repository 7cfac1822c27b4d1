// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_template.h"

#include <algorithm>
#include <string>

#include "runtime/number_text.h"
#include "section/station.h"

namespace section {

namespace {

DesignFault plateFault(int row, int column, std::string message, int otherRow = -1) {
    return {DesignTable::Plates, row, column, std::move(message), otherRow};
}

const char* sideName(RoadSide side) {
    return side == RoadSide::Left ? "左侧" : "右侧";
}

// The rows of one given station: per side, outward.
struct GivenStation {
    double station = 0.0;
    int firstRow = 0;
    std::vector<int> rows[2];
};

}  // namespace

std::variant<RoadTemplate, DesignFault> RoadTemplate::make(const std::vector<PlateRow>& rows,
                                                           const Chainage& chainage) {
    std::vector<GivenStation> given;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PlateRow& row = rows[r];
        if (row.width < 0)
            return plateFault(r, 2,
                              "路幅桩号 " + stationText(row.station) + " " + sideName(row.side) +
                                  "的宽度不能为负。");
        auto at = std::find_if(given.begin(), given.end(),
                               [&](const GivenStation& g) { return g.station == row.station; });
        if (at == given.end()) at = given.insert(given.end(), GivenStation{row.station, r, {}});
        at->rows[index(row.side)].push_back(r);
    }
    std::vector<double> stations;
    for (const GivenStation& g : given) stations.push_back(g.station);
    const std::vector<ChainedStation> placed = chainage.place(stations);

    RoadTemplate plates;
    if (!given.empty()) {
        plates.counts_[0] = static_cast<int>(given[0].rows[0].size());
        plates.counts_[1] = static_cast<int>(given[0].rows[1].size());
    }
    for (int j = 0; j < static_cast<int>(given.size()); ++j) {
        const GivenStation& here = given[j];
        if (j > 0 && placed[j].chainage <= placed[j - 1].chainage)
            return plateFault(here.firstRow, 0,
                              "路幅桩号 " + stationText(here.station) + " 不在前面的桩号 " +
                                  stationText(given[j - 1].station) + " 之后。",
                              given[j - 1].firstRow);
        for (const RoadSide side : {RoadSide::Left, RoadSide::Right}) {
            const std::vector<int>& mine = here.rows[index(side)];
            const int count = static_cast<int>(mine.size());
            if (count != plates.counts_[index(side)]) {
                const std::vector<int>& before = given[j - 1].rows[index(side)];
                return plateFault(mine.empty() ? here.firstRow : mine.front(), -1,
                                  "路幅桩号 " + stationText(here.station) + " " + sideName(side) +
                                      "有 " + runtime::numberToText(count) + " 块，与桩号 " +
                                      stationText(given[j - 1].station) + " 的 " +
                                      runtime::numberToText(plates.counts_[index(side)]) +
                                      " 块不同：两个桩号之间逐块渐变，块数须相同。",
                                  before.empty() ? given[j - 1].firstRow : before.front());
            }
        }
        plates.chainages_.push_back(placed[j].chainage);
        for (const RoadSide side : {RoadSide::Left, RoadSide::Right})
            for (const int r : here.rows[index(side)])
                plates.plates_.push_back({rows[r].width, rows[r].crossfall});
    }
    return plates;
}

RoadTemplate::Place RoadTemplate::place(double chainage) const {
    const auto after = std::upper_bound(chainages_.begin(), chainages_.end(), chainage);
    if (after == chainages_.begin()) return {0, 0.0};
    const int station = static_cast<int>(after - chainages_.begin()) - 1;
    if (after == chainages_.end()) return {station, 0.0};
    return {station, (chainage - *(after - 1)) / (*after - *(after - 1))};
}

Plate RoadTemplate::plate(Place place, RoadSide side, int k) const {
    const int stride = counts_[0] + counts_[1];
    const int first = place.station * stride + (side == RoadSide::Left ? 0 : counts_[0]) + k;
    const Plate& from = plates_[first];
    if (place.share == 0.0) return from;
    const Plate& to = plates_[first + stride];
    return {from.width + (to.width - from.width) * place.share,
            from.crossfall + (to.crossfall - from.crossfall) * place.share};
}

}  // namespace section
