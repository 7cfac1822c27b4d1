// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line says of a LandXML file beside its outputs: which
// alignment and surfaces it took when the file offered more than one (and
// the option that takes another), a name given that the file lacks, the
// gaps of surfaces in pieces, and the materials of each section.

#include <QString>
#include <string>

#include "section/any_survey.h"
#include "section/reading_report.h"
#include "survey_file/landxml_choice.h"

namespace command_line {

// A name given by --alignment, --ground or --design-surface that the file
// does not have: the option, the value and the names the file has.
QString choiceRefused(const QString& file, const survey_file::ChoiceFault& fault);

// The lines for standard error ("velmorin: 提醒：…"), UTF-8: what was guessed
// where the file offered more than one, and each gap.
std::string choiceLines(const QString& file, const survey_file::LandXmlRead& read,
                        const survey_file::LandXmlChoice& given);

// One line per section with materials, their areas as the sheet writes
// areas: "velmorin: 材料：K0+000.000 Base 2.125 平方米，Subbase 3.325 平方米".
std::string materialLines(const section::Survey& survey, const section::ReadingReport& reading);

}  // namespace command_line
