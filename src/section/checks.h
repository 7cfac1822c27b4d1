// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What looks wrong in a calculated survey although it calculates: each a
// warning the user is told, never a reason to refuse the survey.
//
//   OtherWay          the area has the other sign than most sections' areas:
//                     the points were likely entered the other way round
//   SelfCrossing      two edges of the closed outline cross each other
//   StationDecreasing the station is below the one before (spacing < 0)
//   StationRepeated   the station equals the one before (spacing 0)
//   SpacingNotPositive an entered spacing to the next section is 0 or less
//   TooFewPoints      fewer than three points where other sections have them

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "section/survey.h"

namespace section {

enum class WarningKind {
    OtherWay,
    SelfCrossing,
    StationDecreasing,
    StationRepeated,
    SpacingNotPositive,
    TooFewPoints,
};

struct SurveyWarning {
    int section = 0;  // 1-based; a spacing's warning belongs to the section it starts at
    WarningKind kind = WarningKind::OtherWay;
    std::string text;  // one Chinese sentence naming the section

    bool operator==(const SurveyWarning&) const = default;
};

// The warnings of a calculated survey (areas and spacings in place), in
// section order, at most one of each kind per section. Time about linear in
// the points: an outline whose edges overlap too much to check quickly is
// checked only in part for crossings.
std::vector<SurveyWarning> surveyWarnings(const SectionSurvey& survey);

// A place where the closed outline of `count` points crosses itself: edge k
// runs from point k to point k+1 (0-based, the last edge back to point 0).
// Only proper crossings count, not edges that merely touch or overlap.
struct Crossing {
    int edge = 0;
    int otherEdge = 0;
};
// The record's point values, whatever their width.
using PointValue = std::remove_cvref_t<decltype(*std::declval<SectionSurvey>().sectionOffsets(1))>;
std::optional<Crossing> outlineCrossing(const PointValue* elevations, const PointValue* offsets,
                                        int count);

}  // namespace section
