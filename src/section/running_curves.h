// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cumulative volume curves (累计土方曲线) of a calculated survey, whichever
// kind its sections are: the running totals against the station, or against
// the section number when no stations were entered. Closed outlines give one
// curve of volumes; cut and fill gives the cumulative cut and the cumulative
// fill, or the mass curve (土方累积曲线: the cumulative 挖余 in compacted terms
// less the 填缺 of the earthworks, along the continuous chainage, see
// section/haul.h) with its balanced stretches.

#include <string>
#include <vector>

#include "section/any_survey.h"

namespace section {

enum class CurveRole { Volume, Cut, Fill, Mass };

struct CurvePoint {
    double along = 0;  // station in metres, or section number
    double total = 0;  // running total, cubic metres
};

struct RunningCurve {
    CurveRole role = CurveRole::Volume;
    std::string name;
    std::vector<CurvePoint> points;
};

// A balanced stretch (调配段) of the mass curve: the level it closes at
// between where it starts and ends along the road, and what it moves.
struct BalanceLine {
    double from = 0;
    double to = 0;
    double level = 0;
    double volume = 0;       // compacted cubic metres
    double averageHaul = 0;  // metres
    bool operator==(const BalanceLine&) const = default;
};

struct RunningCurves {
    std::string title;
    std::string axis;  // of the totals
    bool stations = false;
    bool legend = false;  // more than one kind of curve to tell apart
    std::vector<RunningCurve> curves;
    std::string alongAxis = stations ? "桩号 (米)" : "断面号";
    std::vector<BalanceLine> balances{};  // of the mass curve
    // What the mass curve's stretches move and what is left, in a line.
    std::string haulSummary{};
};

// Whether the survey offers the mass curve instead of its running totals.
bool hasMassCurve(const Survey& survey);
// The mass curve only when the survey has one.
RunningCurves runningCurves(const Survey& survey, bool mass);

}  // namespace section
