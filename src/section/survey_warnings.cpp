// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey_warnings.h"

#include <algorithm>
#include <string>

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/calculation.h"
#include "section/cut_fill_calculation.h"
#include "section/station.h"

namespace section {

namespace {

// Section i as a sentence names it: "ZK1+020.000断面", "第 2 号断面".
std::string called(const Survey& survey, int i) {
    if (const CutFillSurvey* lines = survey.cutFill()) return cutFillSectionName(*lines, i);
    return survey.stationsEntered() ? stationLabel(survey, i) + "断面" : sectionName(survey, i);
}

std::string where(const Survey& survey, int i) {
    return called(survey, i) + "（第 " + runtime::numberToText(i) + " 个断面）";
}

std::string breakText(const ChainBreak& chainBreak) {
    return stationText(chainBreak.before) + "=" + stationText(chainBreak.after);
}

std::string sideText(RoadSide side) {
    return side == RoadSide::Left ? "左侧" : "右侧";
}

std::string misfitText(const Survey& survey, int i, const RoadFit& fit, const FitWarning& warning) {
    const std::string side = warning.side ? sideText(*warning.side) : std::string();
    const SideFit& sideFit = warning.side == RoadSide::Right ? fit.right : fit.left;
    switch (warning.problem) {
        case FitProblem::SlopeMisses:
            return where(survey, i) + "的" + side +
                   (sideFit.kind == SlopeKind::Fill
                        ? "填方边坡没有在地面线范围内与地面线相交，坡脚"
                        : "挖方边坡没有在地面线范围内与地面线相交，坡口") +
                   "没有求出，设计线画到地面线的端点为止：请补测地面线，或核对边坡。";
        case FitProblem::RoadWiderThanGround:
            return where(survey, i) + "的" + side +
                   "路基比地面线宽：地面线没有测到路基边缘，设计线画到地面线的端点为止：请补测地面"
                   "线。";
        case FitProblem::OutsideProfile:
            return where(survey, i) +
                   "不在纵断面的桩号范围内：设计高程按纵断面最近一端的高程计算，请核对纵断面。";
        case FitProblem::NoGroundAtCentre:
            return where(survey, i) +
                   "的地面线没有测到中线（距离 S = 0），中桩地面高程和填挖高没有求出：请补测中桩。";
    }
    return {};
}

// The 断链 a station unsettled by it belongs to: the 短链 whose gap holds
// it, or the 长链 whose overlap does.
const ChainBreak* breakHolding(const std::vector<ChainBreak>& breaks, double station, bool gap) {
    for (const ChainBreak& chainBreak : breaks) {
        const bool shortChain = chainBreak.after > chainBreak.before;
        if (gap && shortChain && station > chainBreak.before && station < chainBreak.after)
            return &chainBreak;
        if (!gap && !shortChain && station >= chainBreak.after && station <= chainBreak.before)
            return &chainBreak;
    }
    return nullptr;
}

double spacing(const Survey& survey, int i) {
    if (const CutFillSurvey* lines = survey.cutFill()) return lines->sections[i - 1].spacing;
    return survey.closedOutline()->spacings(i);
}

void addBreakWarnings(const Survey& survey, const std::vector<ChainedStation>& placed,
                      std::vector<SurveyWarning>& found) {
    const std::vector<ChainBreak>& breaks = survey.preparedRoad()->chainage().breaks();
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        const bool gap = placed[k].place == StationPlace::InGap;
        if (placed[k].place == StationPlace::Plain) continue;
        const ChainBreak* holding = breakHolding(breaks, placed[k].station, gap);
        const std::string chain = holding ? breakText(*holding) : std::string();
        found.push_back(
            {i, WarningKind::StationInBreak,
             gap ? where(survey, i) + "的桩号落在短链 " + chain +
                       " 的空缺中，这段桩号在路上并不存在：按断链前的里程计算，请核对桩号。"
                 : where(survey, i) + "的桩号在长链 " + chain +
                       " 的重叠段内，路上有两处这个桩号，断面的先后不能说明是哪一处：按断链前的一处"
                       "计算。若是断链后的一处，请核对断面的先后和桩号。"});
    }
}

void addStructureWarnings(const Survey& survey, const std::vector<ChainedStation>& placed,
                          std::vector<SurveyWarning>& found) {
    const std::vector<StructureRow>& structures = survey.roadDesign().structures;
    for (std::size_t k = 1; k < placed.size(); ++k) {
        const int i = static_cast<int>(k);
        std::string names;
        for (const int s :
             survey.preparedRoad()->chainage().structuresAcross(placed[k - 1], placed[k])) {
            const StructureRow& structure = structures[std::size_t(s)];
            names += (names.empty() ? "" : "、") + structure.name + "（" +
                     stationText(structure.range.from) + "～" + stationText(structure.range.to) +
                     "）";
        }
        if (names.empty()) continue;
        found.push_back({i, WarningKind::StructureCut,
                         where(survey, i) + "与后一个断面之间有构造物" + names +
                             "：构造物范围内不计土石方，两断面之间的体积按 " +
                             runtime::numberToText(spacing(survey, i)) + " 米计算。"});
    }
}

void addMisfits(const Survey& survey, std::vector<SurveyWarning>& found) {
    const CutFillSurvey* lines = survey.cutFill();
    if (!lines) return;
    if (!survey.stationsEntered() && survey.preparedRoad()->hasProfile()) {
        if (!lines->sections.empty())
            found.push_back(
                {1, WarningKind::DesignMisfit,
                 "测量数据没有桩号，道路设计的设计线无法按桩号放到断面上：请输入各断面的"
                 "桩号。"});
        return;
    }
    for (int i = 1; i <= lines->sectionCount(); ++i) {
        const std::optional<RoadFit>& fit = lines->sections[i - 1].fit;
        if (!fit) continue;
        for (const FitWarning& warning : fit->warnings)
            found.push_back({i, WarningKind::DesignMisfit, misfitText(survey, i, *fit, warning)});
    }
}

// Sections whose station letters differ from the section before's ("ZK"
// then "YK"): allowed, since a line may change its letters where the
// carriageways part, and compared by value as any station; but the volume
// between two lines measured apart is meaningless, so it is told.
void addLetterChanges(const Survey& survey, std::vector<SurveyWarning>& found) {
    if (!survey.stationsEntered()) return;
    for (int i = 2; i <= survey.sectionCount(); ++i) {
        const std::string mine = stationLetters(survey.stationPrefix(i));
        const std::string theirs = stationLetters(survey.stationPrefix(i - 1));
        if (mine == theirs) continue;
        found.push_back({i, WarningKind::StationLettersChange,
                         where(survey, i) +
                             (mine.empty() ? "没有桩号冠号" : "的桩号冠号“" + mine + "”") +
                             "，与前一个断面 " + stationLabel(survey, i - 1) +
                             (theirs.empty() ? "没有冠号" : "的“" + theirs + "”") +
                             "不同：两断面之间的间距按桩号的数值计为 " +
                             runtime::formatFixed3(spacing(survey, i - 1)) +
                             " 米。左幅、右幅等不同冠号的线应分开计算，请核对桩号。"});
    }
}

void addRoadWarnings(const Survey& survey, const PreparedRoad& road,
                     std::vector<SurveyWarning>& plain) {
    if (survey.stationsEntered() && !road.chainage().empty()) {
        std::vector<double> stations;
        for (int i = 1; i <= survey.sectionCount(); ++i) stations.push_back(survey.station(i));
        const std::vector<ChainedStation> placed = road.chainage().place(stations);
        // The order of the stations is told by where they lie along the road.
        std::erase_if(plain, [](const SurveyWarning& warning) {
            return warning.kind == WarningKind::StationDecreasing ||
                   warning.kind == WarningKind::StationRepeated;
        });
        for (SurveyWarning& warning : sequenceWarnings(
                 {survey.sectionCount(), true, [&](int i) { return survey.station(i); },
                  [&](int i) { return spacing(survey, i); },
                  [&](int i) { return called(survey, i); },
                  [&](int i) { return stationLabel(survey, i); },
                  [&](int i) { return placed[i - 1].chainage; }}))
            plain.push_back(std::move(warning));
        addBreakWarnings(survey, placed, plain);
        addStructureWarnings(survey, placed, plain);
    }
    addMisfits(survey, plain);
}

// `plain`, the survey's warnings of its kind of sections, with those across
// them and its road design's put in.
std::vector<SurveyWarning> withWarningsAcross(const Survey& survey,
                                              std::vector<SurveyWarning> plain) {
    addLetterChanges(survey, plain);
    if (const PreparedRoad* road = survey.preparedRoad()) addRoadWarnings(survey, *road, plain);
    std::ranges::stable_sort(plain, {}, &SurveyWarning::section);
    return plain;
}

}  // namespace

std::vector<SurveyWarning> warnings(const Survey& survey) {
    if (const CutFillSurvey* lines = survey.cutFill())
        return withWarningsAcross(survey, cutFillWarnings(*lines));
    return withWarningsAcross(survey, surveyWarnings(*survey.closedOutline()));
}

std::vector<SurveyWarning> warnings(const Survey& survey, const std::vector<SurveyWarning>& before,
                                    int first, int last) {
    if (const SectionSurvey* closed = survey.closedOutline())
        return withWarningsAcross(survey, surveyWarnings(*closed, before, first, last));
    return warnings(survey);
}

}  // namespace section
