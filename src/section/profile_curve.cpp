// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/profile_curve.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "section/road_fit.h"

namespace section {
namespace {

// The ground line's elevation at S = 0, linear between its points.
std::optional<double> groundAtCentre(const std::vector<Point>& ground) {
    for (std::size_t k = 1; k < ground.size(); ++k) {
        const Point& a = ground[k - 1];
        const Point& b = ground[k];
        if (std::min(a.offset, b.offset) > 0.0 || std::max(a.offset, b.offset) < 0.0) continue;
        if (a.offset == b.offset) return a.elevation;
        return a.elevation + (b.elevation - a.elevation) * (0.0 - a.offset) / (b.offset - a.offset);
    }
    if (ground.size() == 1 && ground.front().offset == 0.0) return ground.front().elevation;
    return std::nullopt;
}

// Where each section lies along the road: its stations through the 断链, or
// without stations the running sum of its spacings.
std::vector<double> sectionChainages(const Survey& survey, const Chainage& chainage) {
    const int n = survey.sectionCount();
    std::vector<double> along;
    along.reserve(std::size_t(n));
    if (survey.stationsEntered()) {
        std::vector<double> stations;
        stations.reserve(std::size_t(n));
        for (int i = 1; i <= n; ++i) stations.push_back(survey.station(i));
        for (const ChainedStation& placed : chainage.place(stations))
            along.push_back(placed.chainage);
        return along;
    }
    double sum = 0.0;
    for (const CutFillSection& s : survey.cutFill()->sections) {
        along.push_back(sum);
        sum += s.spacing;
    }
    return along;
}

void addDesign(ProfileCurve& curve, const RoadDesign& design, const PreparedRoad& road) {
    std::vector<double> stations;
    for (const GradePoint& p : design.profile) stations.push_back(p.station);
    const std::vector<ChainedStation> placed = road.chainage().place(stations);
    std::vector<double> marks;
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const double at = placed[k].chainage;
        curve.gradePoints.push_back({{at, design.profile[k].elevation}, design.profile[k].station});
        marks.push_back(at);
        const std::optional<double> radius = design.profile[k].radius;
        if (!radius || k == 0 || k + 1 == placed.size()) continue;
        const double before = (design.profile[k].elevation - design.profile[k - 1].elevation) /
                              (at - placed[k - 1].chainage);
        const double after = (design.profile[k + 1].elevation - design.profile[k].elevation) /
                             (placed[k + 1].chainage - at);
        const double tangent = *radius * std::abs(after - before) / 2.0;
        if (tangent <= 0.0) continue;
        for (const double end : {at - tangent, at + tangent}) {
            marks.push_back(end);
            if (const std::optional<double> y = road.centreElevation(end))
                curve.curveEnds.push_back({end, *y});
        }
    }
    std::sort(marks.begin(), marks.end());
    for (std::size_t k = 0; k + 1 < marks.size(); ++k) {
        for (int s = 0; s < kProfileSamples; ++s) {
            const double at = marks[k] + (marks[k + 1] - marks[k]) * s / kProfileSamples;
            if (const std::optional<double> y = road.centreElevation(at))
                curve.design.push_back({at, *y});
        }
    }
    if (!marks.empty())
        if (const std::optional<double> y = road.centreElevation(marks.back()))
            curve.design.push_back({marks.back(), *y});
}

}  // namespace

ProfileCurve profileCurve(const Survey& survey) {
    ProfileCurve curve;
    const auto prepared = PreparedRoad::prepare(survey.roadDesign());
    const PreparedRoad* road = std::get_if<PreparedRoad>(&prepared);
    if (road && road->hasProfile()) addDesign(curve, survey.roadDesign(), *road);
    const CutFillSurvey* lines = survey.cutFill();
    if (!lines) return curve;
    const std::vector<double> along =
        sectionChainages(survey, road ? road->chainage() : Chainage());
    for (std::size_t k = 0; k < lines->sections.size(); ++k) {
        const CutFillSection& s = lines->sections[k];
        const std::optional<double> ground =
            s.fit && s.fit->groundElevation ? s.fit->groundElevation : groundAtCentre(s.ground);
        if (ground) curve.ground.push_back({along[k], *ground});
    }
    return curve;
}

}  // namespace section
