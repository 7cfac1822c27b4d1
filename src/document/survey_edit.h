// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits of a calculated survey and the recalculation each needs, without Qt.
//
// An edit carries the values it removes as well as those it puts in, so it runs
// backwards exactly. Cell edits change values in place and recalculate only the
// areas of the sections whose points changed; the spacings from the stations
// (when a station moved), the volumes and the total are then worked out again
// by the calculation's own functions: a few thousand operations, the formulas
// kept in one place, and the total summed in order as a full calculation does,
// so that the two agree bit for bit. Section edits rebuild the record
// around the sections put in and keep every other area as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "section/cut_fill_survey.h"
#include "section/fault.h"
#include "section/road_fit.h"
#include "section/survey.h"

namespace document {

// The record's number type, whatever width it has.
using Value =
    std::remove_cvref_t<decltype(std::declval<const section::SectionSurvey&>().elevations(1, 1))>;

using section::Point;

// Points first..first+removed.size()-1 of one section replaced by `inserted`.
struct PointSplice {
    int section = 0;
    int first = 1;
    std::vector<Point> removed{};
    std::vector<Point> inserted{};
    std::int16_t countBefore = 0;
    std::int16_t countAfter = 0;
};

// A station and the letters before its kilometres (section/station.h).
struct StationEdit {
    int section = 0;
    Value before{};
    Value after{};
    std::string prefixBefore{};
    std::string prefixAfter{};
};

struct SpacingEdit {
    int section = 0;
    Value before{};
    Value after{};
};

using CellEdit = std::variant<PointSplice, StationEdit, SpacingEdit>;

// One section as entered: its station, the spacing to the next section and
// its points: a closed outline's, or a cut-and-fill section's ground line
// with its design line beside it.
struct SectionRow {
    Value station{};
    Value spacing{};
    std::int16_t pointCount = 0;
    std::vector<Point> points{};
    std::vector<Point> design{};
    std::string stationPrefix{};  // the letters before the kilometres (section/station.h)
};

// Sections first..first+removed.size()-1 replaced by `inserted`, and the spacing
// of the section before them (first - 1) changed from spacingBefore to spacingAfter.
struct SectionSplice {
    int first = 1;
    std::vector<SectionRow> removed{};
    std::vector<SectionRow> inserted{};
    Value spacingBefore{};
    Value spacingAfter{};
};

// Cell edits and then, from the last section on, the rows put in past the end:
// a paste that reaches beyond the table.
struct PasteEdit {
    std::vector<CellEdit> cells{};
    SectionSplice growth{};
};

enum class Direction { Forward, Back };

// Bit for bit, so that retyping 0 over -0 still counts as a change.
bool same(Value a, Value b);

// The edits read what they replace from the survey. Indices are not checked here.
PointSplice pointSplice(const section::SectionSurvey& survey, int section, int first,
                        int removeCount, std::vector<Point> inserted);
SectionRow sectionRow(const section::SectionSurvey& survey, int section);

// `road`, the survey's road design made ready, gives the 断链 and the
// generated design lines the recalculation needs.
// Applies cell edits in order (Back: their reverse, in reverse order) and
// recalculates. False when a result is beyond the number range; the survey is
// then left half-recalculated and must be given the edits back.
bool applyEdit(section::SectionSurvey& survey, const std::vector<CellEdit>& edits,
               Direction direction, const section::PreparedRoad* road);

// Applies a section splice and recalculates; on false (a result beyond the
// number range) the survey is unchanged.
bool applyEdit(section::SectionSurvey& survey, const SectionSplice& splice, Direction direction,
               const section::PreparedRoad* road);

// Both parts of a paste; on false the survey is unchanged.
bool applyEdit(section::SectionSurvey& survey, const PasteEdit& edit, Direction direction,
               const section::PreparedRoad* road);

// An edit of a cut-and-fill survey: sections first..first+removed.size()-1
// (1-based) replaced by `inserted`, carrying both so that it runs backwards
// exactly. The survey is recalculated whole after it (the calculation is a
// pure function of the entered values, so the way back gives every result
// bit for bit as before).
struct CutFillSplice {
    int first = 1;
    std::vector<section::CutFillSection> removed{};
    std::vector<section::CutFillSection> inserted{};
};

// Applies the splice and recalculates; nothing on success, else the fault,
// and the caller applies it back, which calculates as before.
std::optional<section::Fault> applyEdit(section::CutFillSurvey& survey, const CutFillSplice& splice,
                                        Direction direction, const section::PreparedRoad* road);

}  // namespace document
