// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This instance's unsaved edits on the disk (window/edit_recovery.h
// tells when each is kept, edit_files.h names the files): the whole survey
// copied, the steps since that copy appended one record a step, and every so
// many steps a fresh copy written on a thread of its own while the steps go
// on, after which only the steps since it stay. Every call gives empty, or
// the failure naming the file, for the caller to tell.

#include <QString>
#include <QThreadPool>
#include <cstddef>
#include <functional>
#include <string>

#include "section/any_survey.h"
#include "section/project_info.h"
#include "storage/edit_files.h"
#include "storage/journal_handle.h"

namespace storage {

// The files removed, as when the copy is not wanted; empty, or why not.
QString removeUnsavedEdits(const EditFiles& files = ownEditFiles());

class UnsavedEdits {
  public:
    UnsavedEdits();
    ~UnsavedEdits();  // once a copy under way is written
    UnsavedEdits(const UnsavedEdits&) = delete;
    UnsavedEdits& operator=(const UnsavedEdits&) = delete;

    // Whether steps are kept: there is a copy for them to build on.
    bool keepsSteps() const { return steps_.isOpen(); }

    // The survey and its 工程信息 copied whole, `file` named as the file the
    // edits belong to (empty for none), and a new, empty steps file.
    QString keepWhole(const section::Survey& survey, const section::ProjectInfo& project,
                      const QString& file);

    // A step's record appended and synced. On a failure no more steps are
    // kept until the next keepWhole.
    QString append(const std::string& record);

    // Whether enough steps have gathered since the copy for a fresh one.
    bool copyDue() const;

    // A fresh copy of `survey` written on a thread of its own; `done` is
    // called there, with the generation to give to copied().
    using CopyDone = std::function<void(unsigned generation, const QString& failure)>;
    void copyInBackground(section::Survey survey, section::ProjectInfo project, CopyDone done);

    // The copy of `generation` written (or failed): the steps before it let
    // go. A copy of an earlier state is let be.
    QString copied(unsigned generation, const QString& failure);

    // The copy under way written or failed, and the steps let go: what
    // follows starts afresh.
    void settle();

    // Saved, or a new survey: nothing is left to recover.
    QString forget();

  private:
    QString restartSteps(const std::string& records);

    JournalHandle steps_;
    std::size_t length_ = 0;  // of the records in the steps file
    int stepsSinceCopy_ = 0;
    bool copying_ = false;
    std::string sinceCopy_;    // records appended since the copy being written was taken
    unsigned generation_ = 0;  // a copy finished for an earlier state is let be
    QThreadPool pool_;
};

}  // namespace storage
