// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 文件 ▸ 打开道路设计… and 保存道路设计…: the survey's road design read from
// a design file as one step, or written to one. What goes wrong is told in
// a message box naming the file (and, reading, the table, line and column);
// the survey stays as it was.

#include <QString>

class QWidget;

namespace document {
class SurveyDocument;
}

namespace window {

// Asks for a design file, then opens it as below.
void openRoadDesignClicked(QWidget* parent, document::SurveyDocument& document);
// The design in `path` made the survey's as one step 打开道路设计; false
// after telling why when the file or the design cannot be used.
bool openRoadDesign(QWidget* parent, document::SurveyDocument& document, const QString& path);
// Asks where, proposing a name beside the survey's, and writes the design.
void saveRoadDesignClicked(QWidget* parent, const document::SurveyDocument& document);

}  // namespace window
