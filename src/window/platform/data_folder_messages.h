// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user is told when the data folder (storage/data_folder.h)
// cannot keep the journal or the last calculation: once per session, the
// calculation going on.

#include <QString>

class QWidget;

namespace storage {
struct KeptCalculation;
}  // namespace storage

namespace window {

// Tells the user, once per session, that a file of the data folder cannot be
// written, and why.
void warnDataFolderOnce(QWidget* parent, const QString& failure);
// A journal that stops in mid-run, told each time: from where its answers
// are not recorded. Counts as the session's warning.
void tellJournalStopped(QWidget* parent, const QString& failure);
// Another instance keeps the last calculation: said once per session.
void tellLastCalculationTaken(QWidget* parent);
// Why a finished calculation was not kept as the last one, if it was not.
void tellNotKept(QWidget* parent, const storage::KeptCalculation& kept);

}  // namespace window
