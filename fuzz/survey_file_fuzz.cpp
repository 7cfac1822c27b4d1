// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a survey file: the reader never crashes or hangs, a fault
// always comes with a message that quotes no raw bytes, and a survey it
// reads survives being saved and read again value for value.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "survey_file/file_format.h"
#include "survey_file/survey_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    survey_file::isUtf8(text);
    survey_file::whyNotText(text);
    const survey_file::SurveyRead first = survey_file::readSurvey(text);
    if (!first.survey) {
        const std::string& message = first.error.message;
        if (message.empty() || survey_file::printableText(message) != message) std::abort();
        return 0;
    }
    const survey_file::SurveyRead again = survey_file::readSurvey(
        survey_file::surveyFileText(*first.survey, survey_file::Format::SurveyCsv));
    if (!again.survey || !(*again.survey == *first.survey)) std::abort();
    return 0;
}
