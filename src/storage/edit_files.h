// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of one instance's unsaved edits (window/edit_recovery.h),
// under one stem in the data folder:
//
//     未保存的修改.csv .steps .name      the first instance's to start
//     未保存的修改-<time>-<process>.*    any other's
//
// each set with its .lock beside it, held for as long as its instance runs.
//
// Every instance keeps its own edits, and a start offers those whose
// instance has ended, as it does the journals.

#include <QString>

namespace storage {

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
// (under the plain names, or of an earlier version), else the newest whose instance has ended,
// locked from here on so that no other start offers them too. None when none.
EditFiles editFilesToOffer();

}  // namespace storage
