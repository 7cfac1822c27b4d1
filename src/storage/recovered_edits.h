// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unsaved edits a start finds (window/edit_recovery.h, edit_files.h),
// made ready to offer: their steps folded into their copy, what does not
// read back moved aside with the reason, and the question to ask.

#include <QDateTime>
#include <QString>

#include "storage/edit_files.h"

namespace storage {

// The steps of a run that ended unsaved folded into its copy, which is then
// written again safely, the steps removed: before the copy is offered. A step
// whose record is damaged, or torn by a kill, is skipped, the others kept. A
// file of the two that does not read back (not a regular file, damaged,
// unreadable) is moved aside, the steps with their copy.
struct FoldedEdits {
    QString failure;     // why the steps could not be folded, naming the file
    QString lost;        // what was not recovered: steps skipped, files moved aside
    QString file;        // the file the edits belong to; empty when none
    QDateTime lastEdit;  // when the last step reached the disk
};
FoldedEdits foldUnsavedEdits(const EditFiles& files);
// 最近一次计算.csv moved aside when it is no regular file (a folder, a FIFO),
// so that keeping the next one does not fail on it; empty, or what was done.
QString setAsideUnreadableLastCalculation();
// Whether to reopen them, naming the file and the time of the last edit.
QString unsavedEditsQuestion(const FoldedEdits& folded);

}  // namespace storage
