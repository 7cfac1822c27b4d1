// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Survey files on disk: reading them in whatever encoding a spreadsheet
// wrote (UTF-8, UTF-16 with its byte-order mark, else GB18030, which covers
// GBK and GB2312), and saving them safely.

#include <QString>
#include <optional>

#include "section/project_info.h"
#include "section/survey.h"

namespace window {

struct OpenedSurvey {
    // The survey as the file gives it, nothing computed yet; empty on a fault.
    std::optional<section::SectionSurvey> survey;
    QString error;  // names the file, the line, the column and the cell
    section::ProjectInfo project{};  // the file's 工程信息
};

// Only regular files are read; a workbook, a PDF or other binary is named
// for what it is; running out of memory is a message, not an exception.
OpenedSurvey readSurveyFile(const QString& path);

// Empty on success, else the message naming the file and the reason.
QString saveSurveyFile(const QString& path, const section::SectionSurvey& survey);

}  // namespace window
