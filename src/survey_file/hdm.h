// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CASS-style 里程文件 (.hdm): for each section a line
// "BEGIN,<station>[:<sequence number>]", then one point a line
// "<offset>,<elevation>[,<code>]", the ground line first; a line "NEXT" starts
// the section's second line, the design line. Offsets are negative to the left
// (facing increasing stations), so S = -offset. A section without NEXT has a
// ground line only. Blank lines are ignored. The station is in metres, or in
// notation with the letters survey software puts before the kilometres
// ("ZK1+020.000", "0+000"); a point's code ("DM") is kept beside it.
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
#include <vector>

#include "section/cut_fill_survey.h"
#include "section/project_info.h"
#include "survey_file/survey_file.h"

namespace survey_file {

// True when the first line that is not blank starts with BEGIN.
bool looksLikeHdm(std::string_view text);

// The survey (stations entered) in `cutFill`, or the fault by line number.
SurveyRead readHdm(std::string_view text, ReadProgress* progress = nullptr);

// Why a survey cannot be written as a 里程文件: it has no stations.
std::optional<std::string> whyNoHdm(const section::CutFillSurvey& survey);

// What of the survey and its 工程信息 a 里程文件 cannot hold, each as a
// phrase to tell the user before it is written that way: the 工程信息,
// values finer than millimetres, and a volume method other than the
// default. Empty when the file keeps all of it.
std::vector<std::string> whatHdmLeavesOut(const section::CutFillSurvey& survey,
                                          const section::ProjectInfo& project);

// The file, every value with three decimals (the format keeps millimetres),
// CRLF line ends, no byte-order mark. Only for a survey with stations. A
// station with the usual K is written in metres, as every program reads it;
// one with other letters or none in notation ("BEGIN,ZK1+020.000:1"), the one
// form that keeps them.
std::string writeHdm(const section::CutFillSurvey& survey);

}  // namespace survey_file
