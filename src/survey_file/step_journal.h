// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of an edit since the last copy of the whole survey, for the copy
// of the unsaved edits (window/edit_recovery.h): one record a step,
// appended, holding the sections the step touched as they are after it. The
// format is the program's own, read back only by it. A record is one line:
//
//     C|F <sections> <from> <to> <section from> … <section to> #<checksum>
//
// C for a closed outline, a section being its station, spacing, point count
// and the points' H and S; F for cut-and-fill, a section being its station,
// spacing, then the ground line and the design line, each its count and
// points (a design line generated from the road design is recorded empty:
// it follows from the design, which the copy of the whole survey holds).
// Numbers are written in their shortest exact form; the checksum (FNV-1a,
// hexadecimal) covers the line before it. A record sets sections from..to
// and leaves the survey `sections` long, the sections outside the range as
// they were by number: replaying a record on a survey that already holds it
// changes nothing, so a copy that went to disk before its records were let go
// is no harm. A step that adds or removes sections is recorded up to the last.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "section/any_survey.h"

namespace survey_file {

std::string stepRecord(const section::SectionSurvey& survey, int from, int to);
std::string stepRecord(const section::CutFillSurvey& survey, int from, int to);
std::string stepRecord(const section::Survey& survey, int from, int to);
// A step that set the road design, the sections as they were: a line
// "D <the design's tables, line ends written \n> #<checksum>".
std::string designRecord(const section::RoadDesign& design);

// The records replayed, in order, onto the survey as last copied (nothing
// computed). A record that is not whole (damaged, of the other kind, or torn
// by a kill part-way through the last one's writing) is skipped and the later
// ones replayed all the same: each holds whole sections, numbered as the
// survey was after its step. The sections the lost step held (read from its
// head, else every one) stay as they were before it unless a later step
// wrote them again.
struct StepReplay {
    int steps = 0;           // records replayed
    bool torn = false;       // the last record was cut short and dropped
    std::vector<int> lost;   // the records skipped, counted from 1
    std::vector<int> stale;  // sections left as before a lost step, from 1
    // The road design of the last design record replayed, if any; the
    // survey's is set to it (a lost one leaves the survey's as it was).
    std::optional<section::RoadDesign> design{};
};
StepReplay replaySteps(section::SectionSurvey& survey, std::string_view records);
StepReplay replaySteps(section::CutFillSurvey& survey, std::string_view records);
StepReplay replaySteps(section::Survey& survey, std::string_view records);

}  // namespace survey_file
