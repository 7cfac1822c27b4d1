// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits not yet saved are never lost: after every step that leaves the survey
// changed, the whole survey is written safely to 未保存的修改.csv in the data
// folder before the next key is handled; saving it, or a new survey, removes
// the copy. A start that finds the copy offers to reopen it. Only the instance
// that keeps the last calculation keeps this copy (data_folder.h): a second
// one is told once that the first keeps them.

#include <QObject>
#include <QString>

class QWidget;

namespace document {
class SurveyDocument;
struct Change;
}  // namespace document

namespace window {

QString unsavedEditsPath();

class EditRecovery : public QObject {
    Q_OBJECT

  public:
    EditRecovery(const document::SurveyDocument& document, QWidget* parent);

  private:
    void keep();

    const document::SurveyDocument& document_;
    QWidget* parent_;
};

}  // namespace window
