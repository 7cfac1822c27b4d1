// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 文件 ▸ 工程信息…: 工程名称, 路段, 计算, 复核 and 日期 of the survey, which the
// calculation sheet and the 土方数量表 carry as their heading and signature
// lines. The dialog only edits a copy; the document stores it as one step.

#include <QDialog>
#include <array>

#include "section/project_info.h"

class QLineEdit;

namespace document {
class SurveyDocument;
}

namespace window {

class ProjectInfoDialog : public QDialog {
    Q_OBJECT

  public:
    // The fields filled in from `project`; an empty 日期 proposes today.
    explicit ProjectInfoDialog(const section::ProjectInfo& project, QWidget* parent = nullptr);

    section::ProjectInfo project() const;

    // The line edits in the order of the form: 工程名称, 路段, 计算, 复核, 日期.
    static constexpr std::size_t kFields = 5;
    QLineEdit* field(std::size_t k) const { return fields_[k]; }

    // Refuses, naming the field, a value with a control character other than
    // a tab (a line break pasted from elsewhere): printed or saved it would
    // break the sheet's line and the file's row. The dialog stays open.
    void accept() override;

  private:
    std::array<QLineEdit*, kFields> fields_{};
};

// Shows the dialog over `parent` with the document's 工程信息 and stores what
// is accepted as the step 修改工程信息 (none when nothing changed).
void editProjectInfo(document::SurveyDocument& document, QWidget* parent);

}  // namespace window
