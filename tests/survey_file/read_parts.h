// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record a reading gave, of the kind a test expects: null when the file
// did not read or read as the other kind.

#include "survey_file/survey_file.h"

inline const section::SectionSurvey* closedOf(const survey_file::SurveyRead& read) {
    return read.survey ? read.survey->closedOutline() : nullptr;
}

inline const section::CutFillSurvey* cutFillOf(const survey_file::SurveyRead& read) {
    return read.survey ? read.survey->cutFill() : nullptr;
}

inline section::SectionSurvey* closedOf(survey_file::SurveyRead& read) {
    return read.survey ? read.survey->closedOutline() : nullptr;
}
