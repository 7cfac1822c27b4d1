// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CASS-style 里程文件 (.hdm): for each section a line
// "BEGIN,<station in metres>[:<sequence number>]", then one point a line
// "<offset>,<elevation>", the ground line first; a line "NEXT" starts the
// section's second line, the design line. Offsets are negative to the left
// (facing increasing stations), so S = -offset. A section without NEXT has a
// ground line only. Blank lines are ignored.
//
//     BEGIN,1000.000:1
//     -20.000,100.000
//     20.000,100.000
//     NEXT
//     -15.000,100.000
//     ...

#include <optional>
#include <string>
#include <string_view>

#include "section/cut_fill_survey.h"
#include "survey_file/survey_file.h"

namespace survey_file {

// True when the first line that is not blank starts with BEGIN.
bool looksLikeHdm(std::string_view text);

// The survey (stations entered) in `cutFill`, or the fault by line number.
ReadResult readHdm(std::string_view text);

// Why a survey cannot be written as a 里程文件: it has no stations.
std::optional<std::string> whyNoHdm(const section::CutFillSurvey& survey);

// The file, every value with three decimals (the format keeps millimetres),
// CRLF line ends, no byte-order mark. Only for a survey with stations.
std::string writeHdm(const section::CutFillSurvey& survey);

}  // namespace survey_file
