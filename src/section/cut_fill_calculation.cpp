// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_calculation.h"

#include <algorithm>

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/checks.h"
#include "section/cut_fill_area.h"
#include "section/design_lines.h"
#include "section/spacings.h"
#include "section/station_label.h"

namespace section {

namespace {

constexpr const char* kBeyondRange = "超出了数值范围（绝对值超过 3.4E+38）";

std::string lineName(LineKind line) {
    return line == LineKind::Ground ? "地面线" : "设计线";
}

std::string where(const CutFillSurvey& survey, int i) {
    return cutFillSectionName(survey, i) + "（第 " + runtime::numberToText(i) + " 个断面）";
}

std::optional<Fault> backStepFault(const CutFillSurvey& survey, int i, const BackStep& step) {
    const CutFillSection& section = survey.sections[i - 1];
    const auto& points = step.line == LineKind::Ground ? section.ground : section.design;
    const double s = points[step.point - 1].offset, before = points[step.point - 2].offset;
    return Fault{i, where(survey, i) + "的" + lineName(step.line) + "在第 " +
                        runtime::numberToText(step.point) + " 点往回走了：距离 S 从 " +
                        runtime::numberToText(before) + " 回到 " + runtime::numberToText(s) +
                        "。一条线上各点的距离应一直增大或一直减小（相等时为竖直的一段），"
                        "请核对这一点"};
}

std::optional<Fault> beyondRange(const CutFillSurvey& survey, int i, const char* what) {
    return Fault{i, where(survey, i) + what + kBeyondRange, true};
}

std::optional<Fault> computeSpacings(CutFillSurvey& survey, const Chainage* breaks,
                                     const std::vector<ChainedStation>& placed) {
    const int n = survey.sectionCount();
    for (int i = 1; i < n; ++i) {
        const std::optional<double> spacing =
            breaks ? breaks->spacing(placed[i - 1], placed[i])
                   : spacingBetween(survey.sections[i - 1].station, survey.sections[i].station);
        if (!spacing) return beyondRange(survey, i, "到下一个断面的间距");
        survey.sections[i - 1].spacing = *spacing;
    }
    if (n > 0) survey.sections[n - 1].spacing = 0.0;
    return std::nullopt;
}

std::optional<Fault> computeAreas(CutFillSurvey& survey) {
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        CutFillSection& section = survey.sections[i - 1];
        const SectionCutFill result = cutFillAreas(section.ground, section.design);
        section.areas = result.areas;
        if (result.backStep) return backStepFault(survey, i, *result.backStep);
        if (section.areas && !runtime::inValueRange(section.areas->cut))
            return beyondRange(survey, i, "的挖方面积");
        if (section.areas && !runtime::inValueRange(section.areas->fill))
            return beyondRange(survey, i, "的填方面积");
    }
    return std::nullopt;
}

std::optional<Fault> computeVolumes(CutFillSurvey& survey) {
    const int n = survey.sectionCount();
    for (int i = 1; i < n; ++i) {
        CutFillSection& section = survey.sections[i - 1];
        section.cutVolume = section.fillVolume = 0.0;
        if (!pairHasVolumes(survey, i)) continue;
        const CutFillAreas& here = *section.areas;
        const CutFillAreas& next = *survey.sections[i].areas;
        section.cutVolume = volumeBetween(survey.volumeMethod, here.cut, next.cut, section.spacing);
        section.fillVolume =
            volumeBetween(survey.volumeMethod, here.fill, next.fill, section.spacing);
        survey.totalCut = section.cutVolume + survey.totalCut;
        survey.totalFill = section.fillVolume + survey.totalFill;
        if (!runtime::inValueRange(section.cutVolume))
            return beyondRange(survey, i, "到下一个断面的挖方体积");
        if (!runtime::inValueRange(section.fillVolume))
            return beyondRange(survey, i, "到下一个断面的填方体积");
        if (!runtime::inValueRange(survey.totalCut))
            return Fault{0, std::string("挖方总体积") + kBeyondRange};
        if (!runtime::inValueRange(survey.totalFill))
            return Fault{0, std::string("填方总体积") + kBeyondRange};
    }
    if (n > 0) survey.sections[n - 1].cutVolume = survey.sections[n - 1].fillVolume = 0.0;
    return std::nullopt;
}

// The sides (S positive is left of the centre line) where the design line
// reaches beyond the ground line: the areas stop where the ground does.
std::vector<std::string> uncoveredSides(const CutFillSurvey& survey, int i) {
    const CutFillSection& section = survey.sections[i - 1];
    const auto [groundRight, groundLeft] =
        std::minmax(section.ground.front().offset, section.ground.back().offset);
    const auto [designRight, designLeft] =
        std::minmax(section.design.front().offset, section.design.back().offset);
    std::vector<std::string> found;
    const auto tell = [&](const char* side, double design, double ground) {
        found.push_back(where(survey, i) + "的地面线没有盖住设计线的" + side +
                        "：设计线到距离 S = " + runtime::numberToText(design) + " 米，地面线只到 " +
                        runtime::numberToText(ground) +
                        " 米，挖方和填方面积只算了两条线重叠的部分：请核对地面线是否漏测了点。");
    };
    if (designLeft > groundLeft) tell("左侧", designLeft, groundLeft);
    if (designRight < groundRight) tell("右侧", designRight, groundRight);
    return found;
}

}  // namespace

std::optional<Fault> calculateCutFill(CutFillSurvey& survey, const PreparedRoad* road) {
    survey.totalCut = survey.totalFill = 0.0;
    const Chainage* breaks = road && !road->chainage().empty() ? &road->chainage() : nullptr;
    const std::vector<ChainedStation> placed = placedSections(survey, road);
    if (survey.stationsEntered()) {
        if (auto fault = computeSpacings(survey, breaks, placed)) return fault;
    } else if (!survey.sections.empty()) {
        survey.sections.back().spacing = 0.0;  // no next section
    }
    fitDesignLines(survey, road, placed);
    if (auto fault = computeAreas(survey)) return fault;
    return computeVolumes(survey);
}

bool pairHasVolumes(const CutFillSurvey& survey, int i) {
    return survey.sections.at(i - 1).areas && survey.sections.at(i).areas;
}

std::string cutFillSectionName(const CutFillSurvey& survey, int i) {
    return survey.stationsEntered() ? stationLabel(survey, i) + "断面"
                                    : "第 " + runtime::numberToText(i) + " 号断面";
}

std::string noAreasReason(const CutFillSection& section) {
    if (section.ground.empty() && section.design.empty()) return "没有观测点";
    if (section.design.empty()) return "只有地面线，没有设计线";
    if (section.ground.size() < 2) return "地面线不到两个点";
    if (section.design.size() < 2) return "设计线不到两个点";
    return "地面线和设计线在距离 S 上没有重叠";
}

std::vector<SurveyWarning> cutFillWarnings(const CutFillSurvey& survey) {
    const auto section = [&](int i) -> const CutFillSection& { return survey.sections[i - 1]; };
    std::vector<SurveyWarning> found = sequenceWarnings(
        {survey.sectionCount(), survey.stationsEntered(), [&](int i) { return section(i).station; },
         [&](int i) { return section(i).spacing; },
         [&](int i) { return cutFillSectionName(survey, i); },
         [&](int i) { return stationLabel(survey, i); }});
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        if (section(i).areas) {
            for (std::string& text : uncoveredSides(survey, i))
                found.push_back({i, WarningKind::DesignUncovered, std::move(text)});
            continue;
        }
        const std::string reason = noAreasReason(section(i));
        // "K1+020.000断面的地面线…", but "K1+020.000断面只有地面线…".
        const bool ofLine = reason.starts_with("地面线") || reason.starts_with("设计线");
        const std::string why = (ofLine ? "的" : "") + reason;
        std::string pairs;
        if (i > 1) pairs = "与前一个断面之间";
        if (i < n) pairs += std::string(pairs.empty() ? "" : "、") + "与后一个断面之间";
        found.push_back({i, WarningKind::NoAreas,
                         where(survey, i) + why + "，没有挖方和填方面积" +
                             (pairs.empty() ? std::string("。")
                                            : "：它" + pairs + "的体积没有计算，不计入总量。")});
    }
    std::ranges::stable_sort(found, {}, &SurveyWarning::section);
    return found;
}

}  // namespace section
