// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/earthworks_design.h"

#include <cmath>

#include "runtime/number_text.h"
#include "section/station.h"

namespace section {

namespace {

using runtime::numberToText;

// Shares are typed to a few decimals: a sum off by rounding alone still holds.
constexpr double kShareTolerance = 1e-9;
constexpr const char* kClassNames[kSoilClasses] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ"};

std::string rangeText(const StationRange& range) {
    return stationText(range.from) + "～" + stationText(range.to);
}

// Rows of `table`, each with a range; `what` says what one place can hold
// only one of.
template <class Row>
std::optional<DesignFault> rangeFault(DesignTable table, const std::vector<Row>& rows,
                                      const std::string& what) {
    for (int j = 0; j < int(rows.size()); ++j) {
        const StationRange& b = rows[std::size_t(j)].range;
        if (b.to < b.from)
            return DesignFault{table, j, 1,
                               "终点桩号 " + stationText(b.to) + " 在起点桩号 " +
                                   stationText(b.from) + " 之前，终点桩号不能小于起点桩号。"};
        for (int i = 0; i < j; ++i) {
            const StationRange& a = rows[std::size_t(i)].range;
            if (a.from < b.to && b.from < a.to)
                return DesignFault{table, j, 0,
                                   "桩号范围 " + rangeText(b) + " 与 " + rangeText(a) + " 重叠，" +
                                       what + "。请改正其中一行的起点桩号或终点桩号。",
                                   i};
        }
    }
    return std::nullopt;
}

std::optional<DesignFault> sharesFault(const std::vector<SoilClassRow>& rows) {
    for (int r = 0; r < int(rows.size()); ++r) {
        const ClassFigures& percent = rows[std::size_t(r)].percent;
        // Named by its range: the window's messages have no line to name.
        const std::string row = "土石分类 " + rangeText(rows[std::size_t(r)].range) + " 的";
        double sum = 0.0;
        for (int j = 0; j < kSoilClasses; ++j) {
            if (percent[std::size_t(j)] < 0.0)
                return DesignFault{DesignTable::SoilClasses, r, 2 + j,
                                   row + std::string(kClassNames[j]) + " 类百分比是 " +
                                       numberToText(percent[std::size_t(j)]) + "，不能为负。"};
            sum += percent[std::size_t(j)];
        }
        if (!(std::abs(sum - 100.0) <= kShareTolerance))
            return DesignFault{DesignTable::SoilClasses, r, -1,
                               row + "六类百分比加起来是 " + numberToText(sum) + "，应为 100。"};
    }
    return std::nullopt;
}

std::optional<DesignFault> factorsFault(const std::optional<ClassFigures>& factors) {
    if (!factors) return std::nullopt;
    for (int j = 0; j < kSoilClasses; ++j)
        if (!((*factors)[std::size_t(j)] > 0.0))
            return DesignFault{DesignTable::Factors, 0, j,
                               std::string(kClassNames[j]) + " 类的换算系数是 " +
                                   numberToText((*factors)[std::size_t(j)]) +
                                   "，应大于 0（天然方与压实方之比，如 1.16）。"};
    return std::nullopt;
}

std::optional<DesignFault> haulFault(const std::optional<HaulDistances>& haul) {
    if (!haul) return std::nullopt;
    if (!(haul->freeHaul >= 0.0))
        return DesignFault{DesignTable::Haul, 0, 0,
                           "免费运距是 " + numberToText(haul->freeHaul) + " 米，不能为负。"};
    if (haul->economicHaul && !(*haul->economicHaul > haul->freeHaul))
        return DesignFault{DesignTable::Haul, 0, 1,
                           "经济运距 " + numberToText(*haul->economicHaul) + " 米不比免费运距 " +
                               numberToText(haul->freeHaul) +
                               " 米长：经济运距应大于免费运距，没有经济运距时请留空。"};
    return std::nullopt;
}

}  // namespace

std::optional<DesignFault> earthworksFault(const RoadDesign& design) {
    if (auto fault = sharesFault(design.soilClasses)) return fault;
    if (auto fault =
            rangeFault(DesignTable::SoilClasses, design.soilClasses, "一处的土石只能按一行分类"))
        return fault;
    if (auto fault = rangeFault(DesignTable::Structures, design.structures, "一处只能有一座构造物"))
        return fault;
    if (auto fault = factorsFault(design.factors)) return fault;
    return haulFault(design.haul);
}

}  // namespace section
