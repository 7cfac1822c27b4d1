// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures of the 路基土石方数量计算表 of a calculated cut-and-fill survey,
// one row per section pair, in station order: the pair's cut split into the
// soil and rock classes Ⅰ–Ⅵ by the design's 土石分类, what of it fills the
// pair's own fill (本桩利用), what is left over (挖余) and what fill is still
// missing (填缺).
//
// With 换算系数 Kⱼ (natural volume per compacted volume), the cut of class j
// fills 挖ⱼ/Kⱼ. Where the fill is at least Σ 挖ⱼ/Kⱼ all the cut is used and
// 填缺 = 填 − Σ 挖ⱼ/Kⱼ; otherwise the classes are used in the order Ⅰ → Ⅵ:
// 利用ⱼ = min(挖ⱼ, remaining fill × Kⱼ), 挖余ⱼ = 挖ⱼ − 利用ⱼ. 挖, 利用 and 挖余
// are natural volumes, 填 and 填缺 compacted; on every row
// 挖 = Σ 利用ⱼ + Σ 挖余ⱼ and 填 = Σ 利用ⱼ/Kⱼ + 填缺.

#include <vector>

#include "section/cut_fill_survey.h"
#include "section/road_design.h"

namespace section {

struct EarthworksRow {
    int section = 0;  // the pair's end section (1-based): the row the pair is written on
    // The pair's ends in continuous chainage (metres along the road, 断链
    // taken out; without stations, the spacings added up from section 1).
    double fromChainage = 0.0;
    double toChainage = 0.0;
    double cut = 0.0;           // 挖方总数量, natural
    double fill = 0.0;          // 填方数量, compacted
    ClassFigures percent{};     // share of each class in the cut, percent
    ClassFigures cutByClass{};  // 挖ⱼ
    ClassFigures used{};        // 本桩利用ⱼ
    ClassFigures surplus{};     // 挖余ⱼ
    double shortfall = 0.0;     // 填缺
    // The 挖余 as the fill it would make elsewhere: Σ 挖余ⱼ/Kⱼ.
    double surplusCompacted = 0.0;
    // Part of the pair's stretch lies in no 土石分类 range: that part's cut
    // is taken as Ⅱ 普通土, the commonest class, and the sheet says so.
    bool classAssumed = false;
    // The 构造物 (indices into the design's) across the pair's stretch,
    // whose length the volumes leave out.
    std::vector<int> structures{};
};

struct Earthworks {
    ClassFigures factors = kDefaultFactors;  // the Kⱼ used
    std::vector<EarthworksRow> rows;         // the pairs that have volumes
    // The sections' continuous chainage, section i at i - 1.
    std::vector<double> chainages{};
};

// The survey has been calculated with `design` (its 构造物 already left out
// of the volumes).
Earthworks earthworks(const CutFillSurvey& survey, const RoadDesign& design);

}  // namespace section
