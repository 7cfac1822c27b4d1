// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Survey files on disk: reading them in whatever encoding a spreadsheet
// wrote (UTF-8, UTF-16 with its byte-order mark, else GB18030, which covers
// GBK and GB2312), and saving them safely.

#include <QString>
#include <optional>

#include "document/file_tie.h"
#include "section/any_survey.h"
#include "section/cut_fill_survey.h"
#include "section/project_info.h"
#include "section/survey.h"
#include "survey_file/survey_file.h"

namespace storage {

struct OpenedSurvey {
    // The survey as the file gives it, of either kind, nothing computed yet;
    // empty on a fault.
    std::optional<section::Survey> survey;
    QString error;                   // names the file, the line, the column and the cell
    section::ProjectInfo project{};  // the file's 工程信息
    document::FileFormat format = document::FileFormat::SurveyCsv;  // what the text was read as
    document::FileStamp stamp{};                                    // the bytes read
};

// Either kind of survey: a 里程文件 when the name ends in .hdm or the text
// starts with BEGIN, else our CSV. Only regular files are read; a workbook, a
// PDF or other binary is named for what it is; running out of memory is a
// message, not an exception.
// `progress` learns how far the reading has got.
OpenedSurvey readAnySurveyFile(const QString& path, survey_file::ReadProgress* progress = nullptr);

// Whether the path names a 里程文件 (ends in .hdm, any case).
bool isHdmPath(const QString& path);

// A cut-and-fill survey saved as a 里程文件 when the name ends in .hdm (a
// survey without stations is refused with the reason), else as our CSV with
// the rows of `project` (a 里程文件 has no room for them).
QString saveCutFillSurveyFile(const QString& path, const section::CutFillSurvey& survey,
                              const section::ProjectInfo& project = {});

// Empty on success, else the message naming the file and the reason; the
// rows of `project` above the header when it is filled in.
QString saveSurveyFile(const QString& path, const section::SectionSurvey& survey,
                       const section::ProjectInfo& project = {});

}  // namespace storage
