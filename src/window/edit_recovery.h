// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits not yet saved are never lost: each step that leaves the survey changed
// is on the disk before the next key is handled, and a start that finds them
// offers to reopen them (storage/recovered_edits.h). Files in the data
// folder hold them, written by storage/unsaved_edits.h as this class says:
//
//     未保存的修改.csv     a copy of the whole survey, written safely
//     未保存的修改.steps   the steps since that copy (survey_file/step_journal.h),
//                         one record appended and synced a step
//     未保存的修改.name    the path of the file the edits belong to, UTF-8,
//                         empty for a survey never saved (its ending tells
//                         the format, as for any document)
//
// Writing the whole survey takes a tenth of a second or so at 10^5 points, a
// record of the sections a step touched well under a millisecond: so a step
// appends its record, and only every so many steps is the whole survey copied
// again, on a thread of its own, the steps it holds then let go. The copy
// itself is written at once where there is none to build on: at the first
// step after a save or a start, and when the whole survey is replaced by one
// that differs from its file (a typed run not kept, an open undone back to
// edits); a survey just opened or made new needs none. Saving, or a new
// survey, removes them. Every instance keeps its own, under names of
// its own (storage/edit_files.h).

#include <QObject>
#include <QString>
#include <string>

#include "section/any_survey.h"
#include "storage/unsaved_edits.h"

class QWidget;

namespace document {
class SurveyDocument;
struct Change;
}  // namespace document

namespace window {

// This instance's files.
QString unsavedEditsPath();
QString unsavedEditsStepsPath();
QString unsavedEditsNamePath();

class EditRecovery : public QObject {
    Q_OBJECT

  public:
    EditRecovery(const document::SurveyDocument& document, QWidget* parent);

  private:
    void follow(const document::Change& change);
    void keepWhole();
    void append(const std::string& record);

    void warn(const QString& failure) const;

    const document::SurveyDocument& document_;
    QWidget* parent_;
    bool replaced_ = false;    // the survey replaced, not yet told whether it is changed
    bool designStep_ = false;  // the change about to be told is a road design step's
    bool methodStep_ = false;  // … a volume method step's
    storage::UnsavedEdits edits_;
};

}  // namespace window
