// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal file of this instance's calculation in progress, in the data
// folder and locked (storage/journal_handle.h) for as long as this instance holds it: a second
// instance on the same folder neither offers nor moves it, and once its
// instance ends, killed or not, the next one finds it unlocked and offers it.
//
//     calculation-<time>-<process>.journal   unfinished (calculation.journal
//                                            of earlier versions is read too)
//     calculation-backup-<time>.journal      answers kept on 否, or an overflow
//     calculation-damaged-<time>.journal     a journal that does not replay
//
// Failures come back as Chinese messages naming the file and the reason, for
// the caller to tell: nothing here shows a window.

#include <QString>
#include <QStringList>
#include <cstddef>

#include "storage/journal_handle.h"
#include "survey_file/journal.h"

namespace storage {

// Where a journal was moved; failure empty when it was.
struct JournalMove {
    QString to;
    QString failure;
};

class Journal {
  public:
    Journal() = default;
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    struct Found {
        QString path;  // empty when there is none
        survey_file::JournalRead read;
    };
    // The unfinished journal this instance holds, else the newest one no
    // running instance holds, taken. One that is not a regular file, too
    // large, or unreadable comes back with its fault, to be moved aside.
    Found unfinished();

    // Goes on writing the journal found: cuts it back to its last whole line
    // first. Empty, or why it cannot (journaling then stops for this run).
    QString resume();
    // Lets the journal found go; a new one is made at the next answer.
    void startNew();
    // Writes the entry through to the disk. The first failure of a run comes
    // back as its message and ends journaling for the run, the journal cut
    // back to its whole lines; after it, answers are not written at all, so
    // none is ever missing from the middle.
    QString append(const survey_file::JournalEntry& entry);

    // The journal of a finished calculation removed; empty, or why not.
    QString remove();
    // Moved beside itself under a dated name, the newest few of each kind
    // kept. On failure it stays where it is, let go: a backup is offered
    // again next time, a journal that does not replay is not.
    JournalMove keepAsBackup();
    JournalMove moveAside();

  private:
    bool stillInPlace() const;
    survey_file::JournalRead readHeld();
    QString create();
    QString stop(int error);
    JournalMove moveTo(const QString& kind);
    void release();

    JournalHandle file_;
    QString path_;
    std::size_t length_ = 0;  // of the whole lines written
    bool stopped_ = false;
    QStringList passedOver_;  // could not be moved aside: not offered again
};

// This instance's journal, for every calculation of the process.
Journal& instanceJournal();

}  // namespace storage
