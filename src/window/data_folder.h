// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's data folder (~/.local/share/velmorin): the journal of the
// calculation in progress, its backups, and the last finished calculation.
// What cannot be written there is told once per session; calculations go on.

#include <QString>

#include "survey_file/journal.h"

class QWidget;

namespace section {
class SectionSurvey;
}

namespace window {

QString dataFolder();
QString lastCalculationPath();  // 最近一次计算.csv

// Saves the finished calculation as the last one, safely.
void keepLastCalculation(const section::SectionSurvey& survey, QWidget* parent);
// The same into `path` without telling anyone: empty, or why it failed. It
// touches no widget and may run on any thread.
QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path);

// The journal file of the calculation in progress.
class Journal {
  public:
    explicit Journal(QWidget* parent) : parent_(parent) {}
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    static QString path();

    // What an earlier run left; no entries when there is no journal.
    survey_file::JournalRead read() const;

    // Starts a new journal at the first answer; appends to the current one
    // when resuming.
    void startNew() { fresh_ = true; }
    // Writes the entry through to the disk before returning.
    void append(const survey_file::JournalEntry& entry);

    void clear();
    // Moves the journal beside itself under a dated name, the newest few kept;
    // returns the new path.
    QString keepAsBackup();
    QString moveAside();  // a journal that does not replay

  private:
    bool open();
    void close();
    QString moveTo(const QString& kind);

    QWidget* parent_;
    int fd_ = -1;
    bool fresh_ = false;
};

// Tells the user, once per session, that a file of the data folder cannot be
// written, and why.
void warnDataFolderOnce(QWidget* parent, const QString& failure);

}  // namespace window
