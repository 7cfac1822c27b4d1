// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_fit.h"

#include <algorithm>

#include "section/earthworks_design.h"
#include "section/road_profile.h"
#include "section/road_side_fit.h"
#include "section/road_slopes.h"
#include "section/road_template.h"
#include "section/station.h"

namespace section {

struct PreparedRoad::Data {
    RoadProfile profile;
    RoadTemplate plates;
    RoadSlopes slopes;
};

namespace {

// The 断链 must run along the road: each break's 断后桩号 before the next
// one's 断前桩号, so that every stretch has a length.
std::optional<DesignFault> breaksFault(const std::vector<ChainBreak>& breaks) {
    for (int k = 1; k < static_cast<int>(breaks.size()); ++k)
        if (!(breaks[k - 1].after < breaks[k].before))
            return DesignFault{DesignTable::Breaks, k, 0,
                               "断链的断前桩号 " + stationText(breaks[k].before) +
                                   " 不在上一断链的断后桩号 " + stationText(breaks[k - 1].after) +
                                   " 之后：断链须按里程顺序排列。",
                               k - 1};
    return std::nullopt;
}

}  // namespace

std::variant<PreparedRoad, DesignFault> PreparedRoad::prepare(const RoadDesign& design) {
    if (auto fault = breaksFault(design.breaks)) return *fault;
    if (auto fault = earthworksFault(design)) return *fault;
    PreparedRoad road;
    std::vector<StationRange> structures;
    for (const StructureRow& structure : design.structures) structures.push_back(structure.range);
    road.chainage_ = Chainage(design.breaks, structures);
    auto data = std::make_shared<Data>();
    auto profile = RoadProfile::make(design.profile, road.chainage_);
    if (auto* fault = std::get_if<DesignFault>(&profile)) return *fault;
    data->profile = std::move(std::get<RoadProfile>(profile));
    auto plates = RoadTemplate::make(design.plates, road.chainage_);
    if (auto* fault = std::get_if<DesignFault>(&plates)) return *fault;
    data->plates = std::move(std::get<RoadTemplate>(plates));
    auto slopes = RoadSlopes::make(design.slopes, design.ditches, road.chainage_);
    if (auto* fault = std::get_if<DesignFault>(&slopes)) return *fault;
    data->slopes = std::move(std::get<RoadSlopes>(slopes));
    road.data_ = std::move(data);
    return road;
}

bool PreparedRoad::hasProfile() const {
    return data_ && !data_->profile.empty();
}

std::optional<double> PreparedRoad::centreElevation(double chainage) const {
    return data_ ? data_->profile.elevation(chainage) : std::nullopt;
}

FittedDesign PreparedRoad::fit(double chainage, const std::vector<Point>& ground) const {
    FittedDesign fitted;
    RoadFit& fit = fitted.fit;
    if (const std::optional<double> centre = centreElevation(chainage)) {
        fit.designElevation = *centre;
    } else {
        if (hasProfile()) fit.designElevation = data_->profile.nearestEndElevation(chainage);
        fit.warnings.push_back({FitProblem::OutsideProfile, std::nullopt});
    }
    const SideGround left(ground, RoadSide::Left), right(ground, RoadSide::Right);
    fit.groundElevation = left.elevationAt(0.0);
    if (!fit.groundElevation) fit.warnings.push_back({FitProblem::NoGroundAtCentre, std::nullopt});
    if (!data_) return fitted;

    const SideDesign design{data_->plates, data_->plates.place(chainage), data_->slopes, chainage};
    std::vector<Point>& line = fitted.line;
    // The road, a ditch and a few stages each side without growing.
    line.reserve(
        2 * (data_->plates.plateCount(RoadSide::Left) + data_->plates.plateCount(RoadSide::Right)) +
        24);
    const SideOutcome rightSide =
        fitSide(design, RoadSide::Right, fit.designElevation, right, line);
    std::reverse(line.begin(), line.end());
    line.push_back({fit.designElevation, 0.0});
    const SideOutcome leftSide = fitSide(design, RoadSide::Left, fit.designElevation, left, line);
    fit.left = leftSide.fit;
    fit.right = rightSide.fit;
    if (leftSide.problem) fit.warnings.push_back({*leftSide.problem, RoadSide::Left});
    if (rightSide.problem) fit.warnings.push_back({*rightSide.problem, RoadSide::Right});
    return fitted;
}

}  // namespace section
