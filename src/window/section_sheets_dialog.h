// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 文件 ▸ 导出横断面图…: the file (PDF or DXF by its ending), the paper (A3 or
// A4, across) and the scale of the 横断面图 sheets, written on 导出. Sections
// too large for a sheet at the scale are named first, with the choice of
// another scale; a failed write is told and the dialog stays open.

#include <QDialog>

#include "section/any_survey.h"
#include "section/project_info.h"

class QComboBox;
class QLineEdit;

namespace window {

class SectionSheetsDialog : public QDialog {
    Q_OBJECT

  public:
    // `suggested` is the path proposed; `survey` and `project` outlive the dialog.
    SectionSheetsDialog(const section::Survey& survey, const section::ProjectInfo& project,
                        const QString& suggested, QWidget* parent = nullptr);

    QLineEdit* file() const { return file_; }
    QComboBox* paper() const { return paper_; }
    QComboBox* scale() const { return scale_; }
    // The file written, once the dialog is accepted.
    const QString& written() const { return written_; }

    void accept() override;

  private:
    void browseClicked();
    QString chosenPath() const;
    bool toldOfOversize(const QString& warning);

    const section::Survey& survey_;
    const section::ProjectInfo& project_;
    QLineEdit* file_ = nullptr;
    QComboBox* paper_ = nullptr;
    QComboBox* scale_ = nullptr;
    QString replaceable_;  // a path the file dialog already asked to replace
    QString written_;
};

}  // namespace window
