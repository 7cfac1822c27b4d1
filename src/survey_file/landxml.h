// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cross-sections as LandXML 1.2, the open interchange of design programs:
//
//   LandXML / Units / Metric (Imperial in feet is read converted: landxml_units.h)
//   LandXML / Alignments / Alignment / CrossSects (calcMethod="AverageEndArea")
//     CrossSect sta= [areaCut= areaFill= volumeCut= volumeFill=]
//       CrossSectSurf (the ground line, one PntList2D of "offset elevation")
//       DesignCrossSectSurf (the design line, CrossSectPnt "offset elevation";
//         for a closed outline closedArea="true" with its area and volume)
//       Feature name="velmorin" (the spacing to the next section as entered)
//   LandXML / Project name=工程名称 desc=路段 (when 工程信息 is filled in)
//     Feature name="velmorin" (计算, 复核, 日期 as Property label= value=)
//
// LandXML offsets are negative to the left, ours (S) positive: offset = -S.
// Volumes stand at the section they start from (to the next section). The
// spacings are written as entered, so that a survey reads back exactly; without
// stations `sta` is the running sum of the spacings from 0 and the CrossSects
// say so in a Feature. Numbers in the shortest form that reads back the same.

#include <optional>
#include <string>
#include <string_view>

#include "section/any_survey.h"
#include "section/project_info.h"
#include "survey_file/survey_file.h"

namespace survey_file {

// When the file was written, as LandXML wants it: "2026-12-08", "16:54:17".
struct LandXmlStamp {
    std::string date;
    std::string time;
};

// Nothing to write when the survey has no section: CrossSects needs one.
std::optional<std::string> landXml(const section::SectionSurvey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project = {});
std::optional<std::string> landXml(const section::CutFillSurvey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project = {});
std::optional<std::string> landXml(const section::Survey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project = {});

// Why the survey would not read back as LandXML: without stations `sta` is
// the running sum of the spacings, and a sum beyond the range of a value
// (3.4E+38) cannot be read. Nothing when it can be written.
std::optional<std::string> whyNoLandXml(const section::SectionSurvey& survey);
std::optional<std::string> whyNoLandXml(const section::CutFillSurvey& survey);
std::optional<std::string> whyNoLandXml(const section::Survey& survey);

// A LandXML file read: the chosen alignment (landxml_choice.h; what is not
// chosen guessed), a closed-outline survey when any of its sections has a
// surface with closedArea="true" (the first such the outline, any after it a
// material in `landXml`), else a cut-and-fill survey of the chosen ground and
// design, each joined from its pieces. The closed survey comes as entered,
// nothing computed; the cut-and-fill one with the areas and volumes the file
// states. Elements and attributes we do not use are ignored; what we cannot
// read is named with its line, a name chosen that the file does not have
// with the names it has. The project from the Project element, when there is
// one. `landXml` tells what the file offered and what was read.
SurveyRead readLandXml(std::string_view text, const LandXmlChoice& choice,
                       ReadProgress* progress = nullptr);
// The same with everything guessed.
SurveyRead readLandXml(std::string_view text, ReadProgress* progress = nullptr);

}  // namespace survey_file
