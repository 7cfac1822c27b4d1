// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What looks wrong in a calculated survey although it calculates: each a
// warning the user is told, never a reason to refuse the survey.

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "section/survey.h"

namespace section {

enum class WarningKind {
    // The area has the other sign than most areas: the points were likely
    // entered the other way round. With as many of either sign, the first
    // section's sign is the usual one. Areas that read 0.000 have no sign.
    OtherWay,
    SelfCrossing,  // two edges of the closed outline cross each other
    // With stations (their differences are the spacings, so no spacing warning):
    StationDecreasing,  // below the one before
    StationRepeated,    // equal to the one before
    // Without stations: an entered spacing to the next section of 0 or less.
    SpacingNotPositive,
    // Fewer than three points while some section has three or more.
    TooFewPoints,
    // A cut-and-fill section without areas (a line missing, too short, or
    // the two not overlapping in S): its pairs have no volumes.
    NoAreas,
    // The design line reaches beyond the ground line on one side.
    DesignUncovered,
    // The road design did not fit the section as it should: a slope that
    // misses the ground, a road wider than the ground line, a section
    // outside the 纵断面 or without ground at the centre line.
    DesignMisfit,
    // A station a 断链 leaves unsettled: in a 短链's gap, or in a 长链's
    // overlap where the order of the sections does not tell which.
    StationInBreak,
    // A 构造物 lies between a section and the next: its stretch carries no
    // volume, so the spacing is shorter than the stations' difference.
    StructureCut,
    // The letters before the station's kilometres differ from the section
    // before's ("ZK" then "YK"): two lines may have been mixed.
    StationLettersChange,
};

struct SurveyWarning {
    int section = 0;  // 1-based; a spacing's warning belongs to the section it starts at
    WarningKind kind = WarningKind::OtherWay;
    std::string text;  // one Chinese sentence naming the section
};

// The warnings of a calculated survey (areas and spacings in place), in
// section order, at most one of each kind per section. Time about linear in
// the points: an outline whose edges overlap too much to check quickly is
// checked only in part for crossings.
std::vector<SurveyWarning> surveyWarnings(const SectionSurvey& survey);
// The same after a step that changed only values or points of sections
// first..last, none put in or taken out, given the warnings `before` it: the
// outlines of the other sections, the costly part, are not looked at again.
std::vector<SurveyWarning> surveyWarnings(const SectionSurvey& survey,
                                          const std::vector<SurveyWarning>& before, int first,
                                          int last);

// The stations of a survey of either kind, or without stations its spacings,
// checked alike: section i's (1-based) `station(i)` and `spacing(i)` to the
// next, `name(i)` as the user knows it ("K1+020.000断面"), `label(i)` its
// station as shown, with its letters ("ZK1+020.000").
struct SectionSequence {
    int count = 0;
    bool stations = false;
    std::function<double(int)> station;
    std::function<double(int)> spacing;
    std::function<std::string(int)> name;
    std::function<std::string(int)> label;
    // Where section i lies along the road, when that is not its station (the
    // continuous chainage across 断链): stations are compared by it.
    std::function<double(int)> place{};
};
// Stations that decrease or repeat, spacings of 0 or less: the kinds
// StationDecreasing, StationRepeated and SpacingNotPositive, in section order.
std::vector<SurveyWarning> sequenceWarnings(const SectionSequence& sections);

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
