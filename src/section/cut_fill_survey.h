// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of a cut-and-fill survey: for each cross-section a ground line
// (地面线) and a design line (设计线, or a later survey of the same ground),
// each a list of points in order of S, and what the calculation works out from
// them: the cut and fill areas of each section, the cut and fill volumes to the
// next section by the survey's volume method, and the totals.
//
// Sections are numbered from 1 as in the closed-outline record; here they are
// kept as a plain vector, sections[i - 1] being section i.

#include <optional>
#include <string>
#include <vector>

#include "section/road_fit_record.h"
#include "section/volume_method.h"

namespace section {

struct Point {
    double elevation = 0.0;  // H
    double offset = 0.0;     // S, positive to the left of the centre line
    bool operator==(const Point&) const = default;
};

struct CutFillAreas {
    double cut = 0.0;   // 挖方面积: where the ground is above the design
    double fill = 0.0;  // 填方面积: where the design is above the ground
    bool operator==(const CutFillAreas&) const = default;
};

struct CutFillSection {
    // Entered: the station (with stations) or the spacing to the next section
    // (without); with stations the spacing is worked out from them.
    double station = 0.0;
    double spacing = 0.0;
    std::vector<Point> ground{};
    std::vector<Point> design{};
    // The design line was put on the ground from the survey's road design,
    // not typed: it follows the ground and the design, and is not edited.
    bool designGenerated = false;

    // Worked out. No areas when the lines do not overlap in S or a line has
    // fewer than two points.
    std::optional<CutFillAreas> areas{};
    double cutVolume = 0.0;  // to the next section; 0 for the last
    double fillVolume = 0.0;
    // What the road design gave here, for a generated design line.
    std::optional<RoadFit> fit{};

    // Entered too; last, so that sections written as braced lists keep their order.
    // The letters before the station's kilometres (section/station.h): empty
    // for the usual "K".
    std::string stationPrefix{};
    // The points' codes as a file gave them ("DM"), beside the points so that
    // the arithmetic never sees them: empty when no point of the line has one,
    // else one for each point, "" for a point without.
    std::vector<std::string> groundCodes{};
    std::vector<std::string> designCodes{};
    bool operator==(const CutFillSection&) const = default;
};

struct CutFillSurvey {
    std::string stationAnswer;  // as for the closed outline: "Y" when stations are entered
    std::vector<CutFillSection> sections;
    VolumeMethod volumeMethod = VolumeMethod::AverageEndArea;
    double totalCut = 0.0;
    double totalFill = 0.0;

    bool stationsEntered() const;
    int sectionCount() const { return static_cast<int>(sections.size()); }
    bool operator==(const CutFillSurvey&) const = default;
};

}  // namespace section
