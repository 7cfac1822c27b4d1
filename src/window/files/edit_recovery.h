// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits not yet saved are never lost: each step that leaves the survey changed
// is on the disk before the next key is handled, and a start that finds them
// offers to reopen them (window/files/recovered_edits.h). Files in the data
// folder hold them:
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
#include <QThreadPool>
#include <cstddef>
#include <string>

#include "storage/edit_files.h"
#include "storage/journal_handle.h"

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

// The files removed, as when the copy is not wanted; empty, or why not.
QString removeUnsavedEdits(const storage::EditFiles& files = storage::ownEditFiles());

class EditRecovery : public QObject {
    Q_OBJECT

  public:
    EditRecovery(const document::SurveyDocument& document, QWidget* parent);
    ~EditRecovery() override;

  private:
    void follow(const document::Change& change);
    void settle();
    void keepWhole();
    void append(const std::string& record);
    void copyInBackground();
    void copied(unsigned generation, const QString& failure);
    void forget();
    void warn(const QString& failure) const;

    const document::SurveyDocument& document_;
    QWidget* parent_;
    storage::JournalHandle steps_;
    std::size_t length_ = 0;  // of the records in the steps file
    int stepsSinceCopy_ = 0;
    bool copying_ = false;
    bool replaced_ = false;    // the survey replaced, not yet told whether it is changed
    std::string sinceCopy_;    // records appended since the copy being written was taken
    unsigned generation_ = 0;  // a copy finished for an earlier state is let be
    QThreadPool pool_;
};

}  // namespace window
