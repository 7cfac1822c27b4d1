// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Survey files on disk: reading them in whatever encoding a spreadsheet
// wrote (UTF-8, UTF-16 with its byte-order mark, else GB18030, which covers
// GBK and GB2312; LandXML in the encoding it declares), and saving them
// safely. Which format a file is in is survey_file's to tell; failures come
// back as messages, never as throws.

#include <QString>
#include <optional>

#include "document/file_tie.h"
#include "section/any_survey.h"
#include "section/project_info.h"
#include "section/reading_report.h"
#include "survey_file/survey_file.h"

namespace storage {

struct OpenedSurvey {
    // The survey as the file gives it, nothing computed yet; empty on a fault.
    std::optional<section::Survey> survey;
    QString error;                   // names the file, the line, the column and the cell
    section::ProjectInfo project{};  // the file's 工程信息
    document::FileFormat format = document::FileFormat::SurveyCsv;  // what the text was read as
    document::FileStamp stamp{};                                    // the bytes read
    // A LandXML file's alignments and surfaces and what of them was read
    // (kept when a choice is refused, to name what the file has).
    std::optional<survey_file::LandXmlRead> landXml{};
    // What the reading told beside the survey: what it changed (a file in
    // feet converted to metres), gaps and materials; empty on a fault.
    section::ReadingReport reading{};
};

// A survey file of any format and either kind. Only regular files are read;
// a workbook, a PDF or other binary is named for what it is; running out of
// memory is a message. `progress` learns how far the reading has got.
OpenedSurvey openSurvey(const QString& path, survey_file::ReadProgress* progress = nullptr);
// The same, a LandXML file's alignment and surfaces as `choice` names them.
OpenedSurvey openSurveyAs(const QString& path, const survey_file::LandXmlChoice& choice,
                          survey_file::ReadProgress* progress = nullptr);

// The format `survey` is saved in under `path`: a 里程文件 for a
// cut-and-fill survey named .hdm, else our CSV.
document::FileFormat formatToSave(const section::Survey& survey, const QString& path);

// `survey` written safely to `path` in `format` (our CSV with the rows of
// `project` above the header, or a 里程文件, which has no room for them).
// Empty on success, else the message naming the file and the reason (a
// survey a 里程文件 cannot hold is refused with why).
QString saveSurvey(const QString& path, const section::Survey& survey, document::FileFormat format,
                   const section::ProjectInfo& project = {});

}  // namespace storage
