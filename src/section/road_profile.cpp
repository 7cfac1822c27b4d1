// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_profile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "runtime/number_format.h"
#include "section/station.h"

namespace section {

namespace {

DesignFault profileFault(int row, int column, std::string message, int otherRow = -1) {
    return {DesignTable::Profile, row, column, std::move(message), otherRow};
}

std::string metres(double value) {
    return runtime::formatFixed3(value) + " 米";
}

}  // namespace

std::variant<RoadProfile, DesignFault> RoadProfile::make(const std::vector<GradePoint>& points,
                                                         const Chainage& chainage) {
    const int n = static_cast<int>(points.size());
    std::vector<double> stations;
    stations.reserve(points.size());
    for (const GradePoint& point : points) stations.push_back(point.station);
    const std::vector<ChainedStation> placed = chainage.place(stations);
    RoadProfile profile;
    profile.vertices_.resize(points.size());
    for (int i = 0; i < n; ++i) {
        const std::string name = "变坡点 " + stationText(points[i].station);
        if (i > 0 && placed[i].chainage <= placed[i - 1].chainage)
            return profileFault(i, 0,
                                name + " 不在前一变坡点 " + stationText(points[i - 1].station) +
                                    " 之后：变坡点须按桩号顺序排列。",
                                i - 1);
        if (points[i].radius && (i == 0 || i == n - 1))
            return profileFault(i, 2,
                                name + " 是纵断面的" + (i == 0 ? "起点" : "终点") +
                                    "，不设竖曲线：请清空其竖曲线半径。");
        if (points[i].radius && !(*points[i].radius > 0))
            return profileFault(i, 2, name + " 的竖曲线半径须大于 0。");
        profile.vertices_[i].chainage = placed[i].chainage;
        profile.vertices_[i].elevation = points[i].elevation;
    }
    std::vector<Vertex>& v = profile.vertices_;
    for (int i = 0; i + 1 < n; ++i)
        v[i].grade = (v[i + 1].elevation - v[i].elevation) / (v[i + 1].chainage - v[i].chainage);
    for (int i = 1; i + 1 < n; ++i) {
        if (!points[i].radius) continue;
        const double omega = v[i].grade - v[i - 1].grade;
        v[i].tangent = *points[i].radius * std::abs(omega) / 2;
        v[i].bend = (omega < 0 ? -1.0 : 1.0) / (2 * *points[i].radius);
    }
    for (int i = 0; i + 1 < n; ++i) {
        const double room = v[i + 1].chainage - v[i].chainage;
        if (v[i].tangent + v[i + 1].tangent <= room) continue;
        const std::string first = stationText(points[i].station);
        const std::string second = stationText(points[i + 1].station);
        if (i + 1 == n - 1)
            return profileFault(i, 2,
                                "变坡点 " + first + " 的竖曲线切线长 " + metres(v[i].tangent) +
                                    "，超出纵断面终点 " + second + "（相距 " + metres(room) +
                                    "）。",
                                i + 1);
        if (i == 0)
            return profileFault(i + 1, 2,
                                "变坡点 " + second + " 的竖曲线切线长 " + metres(v[i + 1].tangent) +
                                    "，超出纵断面起点 " + first + "（相距 " + metres(room) + "）。",
                                i);
        return profileFault(i + 1, 2,
                            "变坡点 " + first + " 与 " + second + " 的竖曲线重叠：切线长之和 " +
                                metres(v[i].tangent + v[i + 1].tangent) + "，大于两点间距 " +
                                metres(room) + "。",
                            i);
    }
    return profile;
}

std::optional<double> RoadProfile::elevation(double chainage) const {
    if (vertices_.empty() || chainage < vertices_.front().chainage ||
        chainage > vertices_.back().chainage)
        return std::nullopt;
    const auto after =
        std::upper_bound(vertices_.begin(), vertices_.end(), chainage,
                         [](double c, const Vertex& vertex) { return c < vertex.chainage; });
    const Vertex& start = *(after - 1);
    // Within a vertical curve: of the 变坡点 either side, at most one has a
    // curve that reaches here, as curves do not overlap.
    for (const Vertex* vertex : {&start, after == vertices_.end() ? &start : &*after}) {
        const double x = chainage - (vertex->chainage - vertex->tangent);
        if (vertex->tangent > 0 && x > 0 && x < 2 * vertex->tangent) {
            const double gradeBefore = (vertex - 1)->grade;
            return vertex->elevation + gradeBefore * (chainage - vertex->chainage) +
                   vertex->bend * x * x;
        }
    }
    return start.elevation + start.grade * (chainage - start.chainage);
}

double RoadProfile::nearestEndElevation(double chainage) const {
    return chainage < vertices_.front().chainage ? vertices_.front().elevation
                                                 : vertices_.back().elevation;
}

}  // namespace section
