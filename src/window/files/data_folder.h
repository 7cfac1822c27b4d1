// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's data folder (~/.local/share/velmorin): the journals of
// calculations in progress (window/journal_file.h) and the last finished
// calculation. What cannot be written there is told once per session;
// calculations go on.

#include <QString>

class QWidget;

namespace section {
class SectionSurvey;
}

namespace window {

QString dataFolder();
QString lastCalculationPath();  // 最近一次计算.csv

// Saves the finished calculation as the last one, safely; false when it was
// not saved (told once per session). The first instance to save a last
// calculation keeps that file for as long as it runs: another instance on the
// same folder does not overwrite it, and says so once.
bool keepLastCalculation(const section::SectionSurvey& survey, QWidget* parent);
// Whether this instance keeps the last calculation; when another one does,
// says so once.
bool mayKeepLastCalculation(QWidget* parent);
// Writes `survey` into `path` without telling anyone: empty, or why it
// failed. It touches no widget and may run on any thread.
QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path);

// Tells the user, once per session, that a file of the data folder cannot be
// written, and why.
void warnDataFolderOnce(QWidget* parent, const QString& failure);
// A journal that stops in mid-run, told each time: from where its answers
// are not recorded. Counts as the session's warning.
void tellJournalStopped(QWidget* parent, const QString& failure);

}  // namespace window
