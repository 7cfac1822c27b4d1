// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of one instance's unsaved edits (window/files/edit_recovery.h),
// under one stem in the data folder:
//
//     未保存的修改.csv .steps .name      the instance's that keeps the last
//                                       calculation (data_folder.h)
//     未保存的修改-<time>-<process>.*    any other's, its .lock beside them
//                                       held for as long as it runs
//
// Every instance keeps its own edits, and a start offers those whose
// instance has ended, as it does the journals.

#include <QString>

namespace window {

struct EditFiles {
    QString stem;  // the path without its ending; empty for none
    QString copy() const { return stem + QStringLiteral(".csv"); }
    QString steps() const { return stem + QStringLiteral(".steps"); }
    QString name() const { return stem + QStringLiteral(".name"); }
    QString lock() const { return stem + QStringLiteral(".lock"); }
    bool isOwn() const;
};

// This instance's, chosen at the first call and kept for the run.
const EditFiles& ownEditFiles();

// The edits a start offers: this instance's own left by an earlier run
// (under the plain names), else the newest whose instance has ended, locked
// from here on so that no other start offers them too. None when none.
EditFiles editFilesToOffer();

}  // namespace window
