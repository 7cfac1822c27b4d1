// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/checks.h"

#include <algorithm>

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/figures.h"
#include "section/station_label.h"

namespace section {
namespace {

// Pair tests an outline may cost before its crossing check gives up: enough
// for any outline whose edges overlap a few at a time across the road, linear
// in its points whatever they are.
constexpr long long kTestsPerEdge = 64;
constexpr long long kTestsAtLeast = 1 << 16;

std::string sectionName(const SectionSurvey& survey, int i) {
    return survey.stationsEntered() ? stationLabel(survey, i) + "断面"
                                    : "第 " + runtime::numberToText(i) + " 号断面";
}

using Warnings = std::vector<SurveyWarning>;

void checkPointCounts(const SectionSurvey& survey, Warnings& found) {
    bool outlines = false;
    for (int i = 1; i <= survey.sectionCount(); ++i)
        outlines = outlines || survey.pointCounts(i) >= 3;
    if (!outlines) return;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const int count = survey.pointCounts(i);
        if (count >= 3) continue;
        const std::string points =
            count < 1 ? "没有观测点" : "只有 " + runtime::numberToText(count) + " 个观测点";
        found.push_back({i, WarningKind::TooFewPoints,
                         sectionName(survey, i) + points +
                             "，围不成断面，面积为 0：别的断面有三个以上的观测点，"
                             "这个断面可能漏输了观测点。"});
    }
}

// The usual direction is that of most areas; with as many of either sign,
// that of the first section with an area, and the warning says so. Areas
// that read 0.000 have no direction worth telling.
void checkDirections(const SectionSurvey& survey, Warnings& found) {
    const Figures figures(survey);
    std::vector<std::string> shown(survey.sectionCount() + 1);
    for (int i = 1; i <= survey.sectionCount(); ++i) shown[i] = figures.area(i);
    auto none = [&](int i) { return shown[i] == "0.000"; };
    auto above = [&](int i) { return shown[i].front() != '-'; };
    int positive = 0;
    int negative = 0;
    int first = 0;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        if (none(i)) continue;
        ++(above(i) ? positive : negative);
        if (first == 0) first = i;
    }
    if (positive == 0 || negative == 0) return;
    const bool tie = positive == negative;
    const bool usualPositive = tie ? above(first) : positive > negative;
    const std::string against = tie ? "与" + sectionName(survey, first) +
                                          "的正负相反（正负两种断面一样多，以" +
                                          sectionName(survey, first) + "为准）"
                                    : "与多数断面的正负相反";
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        if (none(i) || above(i) == usualPositive) continue;
        found.push_back({i, WarningKind::OtherWay,
                         sectionName(survey, i) + "的面积为 " + shown[i] + " 平方米，" + against +
                             "：观测点可能是按相反的方向输入的，请核对这个断面的观测点顺序。"});
    }
}

void checkOutlines(const SectionSurvey& survey, int first, int last, Warnings& found) {
    for (int i = first; i <= last; ++i) {
        const int count = survey.pointCounts(i);
        const std::optional<Crossing> crossing =
            outlineCrossing(survey.sectionElevations(i), survey.sectionOffsets(i), count);
        if (!crossing) continue;
        auto edge = [count](int k) {
            return "第 " + runtime::numberToText(k + 1) + " 至 " +
                   runtime::numberToText((k + 1) % count + 1) + " 点";
        };
        found.push_back({i, WarningKind::SelfCrossing,
                         sectionName(survey, i) + "的轮廓线自相交叉（" + edge(crossing->edge) +
                             "的连线与" + edge(crossing->otherEdge) +
                             "的连线相交），面积不可靠：请核对观测点的顺序。"});
    }
}

struct Edge {
    double x0, y0, x1, y1;
    double left() const { return std::min(x0, x1); }
    double right() const { return std::max(x0, x1); }
    double bottom() const { return std::min(y0, y1); }
    double top() const { return std::max(y0, y1); }
};

// Which side of the line through the edge (x, y) lies: 1, -1, or 0 on it.
int side(const Edge& e, double x, double y) {
    const double cross = (e.x1 - e.x0) * (y - e.y0) - (e.y1 - e.y0) * (x - e.x0);
    return (cross > 0) - (cross < 0);
}

bool crossProperly(const Edge& e, const Edge& f) {
    const int f0 = side(e, f.x0, f.y0);
    const int f1 = side(e, f.x1, f.y1);
    if (f0 * f1 >= 0) return false;
    return side(f, e.x0, e.y0) * side(f, e.x1, e.y1) < 0;
}

}  // namespace

// A sweep across the road: edges taken by their left end, each tested only
// against the edges still reaching over it.
std::optional<Crossing> outlineCrossing(const PointValue* elevations, const PointValue* offsets,
                                        int count) {
    if (count < 4) return std::nullopt;  // a triangle cannot cross itself
    // The point after k, without a division per edge.
    const auto next = [count](int k) { return k + 1 < count ? k + 1 : 0; };
    std::vector<Edge> edges(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        edges[k] = {double(offsets[k]), double(elevations[k]), double(offsets[next(k)]),
                    double(elevations[next(k)])};
    }
    // Sorted with their left ends beside them, so that no comparison looks
    // an edge up.
    struct Left {
        double x;
        int edge;
    };
    std::vector<Left> order(edges.size());
    for (int k = 0; k < count; ++k) order[k] = {edges[k].left(), k};
    std::ranges::sort(order, {}, &Left::x);
    long long budget = kTestsPerEdge * count + kTestsAtLeast;
    std::vector<int> reaching;
    for (const Left& left : order) {
        const int k = left.edge;
        const Edge& e = edges[k];
        budget -= static_cast<long long>(reaching.size());
        if (budget < 0) return std::nullopt;
        std::erase_if(reaching, [&](int m) { return edges[m].right() < e.left(); });
        for (int m : reaching) {
            const bool adjacent = next(m) == k || next(k) == m;
            const Edge& f = edges[m];
            if (adjacent || f.top() < e.bottom() || e.top() < f.bottom()) continue;
            if (crossProperly(e, f)) return Crossing{std::min(k, m), std::max(k, m)};
        }
        reaching.push_back(k);
    }
    return std::nullopt;
}

// With stations the spacings are their differences: a station out of order
// is the one fault, told once at the section whose station it is.
std::vector<SurveyWarning> sequenceWarnings(const SectionSequence& sections) {
    Warnings found;
    for (int i = 1; i < sections.count; ++i) {
        const double spacing = sections.spacing(i);
        if (sections.stations) {
            const auto along = [&](int k) {
                return sections.place ? sections.place(k) : sections.station(k);
            };
            const double here = along(i), next = along(i + 1);
            if (next > here) continue;
            const std::string where =
                sections.name(i + 1) + "（第 " + runtime::numberToText(i + 1) + " 个断面）";
            if (next == here) {
                found.push_back({i + 1, WarningKind::StationRepeated,
                                 where + "的桩号与前一个断面相同，间距为 0，这一段没有体积："
                                         "同一个桩号可能输入了两次，请核对桩号。"});
            } else {
                found.push_back({i + 1, WarningKind::StationDecreasing,
                                 where + "的桩号小于前一个断面的桩号 " + sections.label(i) +
                                     "，间距为 " + runtime::formatFixed3(spacing) +
                                     " 米，这一段的体积为负：桩号应当逐个增大，请核对桩号。"});
            }
        } else if (!(spacing > 0)) {
            found.push_back({i, WarningKind::SpacingNotPositive,
                             sections.name(i) + "至" + sections.name(i + 1) + "的间距为 " +
                                 runtime::formatFixed3(spacing) + " 米，这一段的体积" +
                                 (spacing == 0 ? "为零" : "为负") +
                                 "：间距应当大于零，请核对间距。"});
        }
    }
    return found;
}

namespace {

// Every warning but the crossings, each kind in section order: they hang on
// more than one section, or on them all (the usual direction, whether any
// section has an outline), and cost little.
Warnings warningsAcross(const SectionSurvey& survey) {
    Warnings found;
    found = sequenceWarnings({survey.sectionCount(), survey.stationsEntered(),
                              [&](int i) { return double(survey.stations(i)); },
                              [&](int i) { return double(survey.spacings(i)); },
                              [&](int i) { return sectionName(survey, i); },
                              [&](int i) { return stationLabel(survey, i); }});
    checkPointCounts(survey, found);
    checkDirections(survey, found);
    return found;
}

}  // namespace

std::vector<SurveyWarning> surveyWarnings(const SectionSurvey& survey) {
    Warnings found = warningsAcross(survey);
    checkOutlines(survey, 1, survey.sectionCount(), found);
    std::ranges::stable_sort(found, {}, &SurveyWarning::section);
    return found;
}

std::vector<SurveyWarning> surveyWarnings(const SectionSurvey& survey,
                                          const std::vector<SurveyWarning>& before, int first,
                                          int last) {
    Warnings found = warningsAcross(survey);
    // A crossing hangs on its own section's points alone, its text on its
    // name, and only the sections changed can have a new name.
    for (const SurveyWarning& warning : before)
        if (warning.kind == WarningKind::SelfCrossing &&
            (warning.section < first || warning.section > last))
            found.push_back(warning);
    checkOutlines(survey, std::max(first, 1), std::min(last, survey.sectionCount()), found);
    std::ranges::stable_sort(found, {}, &SurveyWarning::section);
    return found;
}

}  // namespace section
