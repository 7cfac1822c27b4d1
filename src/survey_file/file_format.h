// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which format a survey file is in: told by its bytes when it is read (its
// name only where the text reads as none of the formats), chosen by the
// survey's kind and the name when it is written.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "section/any_survey.h"
#include "section/project_info.h"
#include "survey_file/survey_file.h"

namespace survey_file {

// Bytes that are not UTF-8 as UTF-8 text (GB18030 for GBK and GB2312, UTF-16
// by its byte-order mark); nothing when they are no text in that encoding.
using ToUtf8 = std::function<std::optional<std::string>(std::string_view bytes)>;

// A survey file of any format and either kind: LandXML when the text looks
// like XML, a 里程文件 when it starts with BEGIN, else our CSV; a file that
// reads as none of them is read as its name says (.xml, .hdm), so that a
// broken file is told as what it is named. On a fault `format` says how the
// file was taken, NoText when the bytes are no text at all. A LandXML file's
// alignment and surfaces as `choice` names them, the rest guessed.
SurveyRead readSurveyFile(std::string_view bytes, std::string_view name, const ToUtf8& toUtf8,
                          ReadProgress* progress = nullptr, const LandXmlChoice& choice = {});

// Whether the name ends in .hdm, any case.
bool isHdmName(std::string_view name);

// The format `survey` is saved in under `name`: a 里程文件 for a
// cut-and-fill survey named .hdm, else our CSV.
Format formatToSave(const section::Survey& survey, std::string_view name);

// The formats a save dialog offers for `survey`: our CSV, and for a
// cut-and-fill survey a 里程文件 too.
std::vector<Format> formatsToOffer(const section::Survey& survey);

// What of `survey` and its 工程信息 `format` cannot hold, each as a phrase to
// tell the user before it is written that way; empty when it keeps all of it.
std::vector<std::string> whatIsLeftOut(const section::Survey& survey, Format format,
                                       const section::ProjectInfo& project);

// Why `survey` cannot be written in `format` (a 里程文件 needs stations and
// holds ground and design lines only); nothing when it can.
std::optional<std::string> whyNotWritten(const section::Survey& survey, Format format);

// The file of `survey` in `format` (SurveyCsv or Hdm, when whyNotWritten says
// nothing), with the rows of `project` where the format has room for them.
std::string surveyFileText(const section::Survey& survey, Format format,
                           const section::ProjectInfo& project = {});

}  // namespace survey_file
