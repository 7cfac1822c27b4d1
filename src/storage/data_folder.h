// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's data folder (~/.local/share/velmorin): the journals of
// calculations in progress (storage/journal_file.h) and the last
// finished calculation. Failures come back to the caller, who tells them
// (window/platform/data_folder_messages.h); calculations go on.

#include <QString>
#include <memory>

#include "section/project_info.h"

namespace section {
class SectionSurvey;
class Survey;
}  // namespace section

namespace storage {

QString dataFolder();

// An exclusive lock on a file of the data folder, tried once without
// waiting: through the descriptor's flock on POSIX systems, a lock file
// elsewhere. Let go when destroyed, or kept for as long as this instance runs.
class FolderLock {
  public:
    enum class State { Held, Taken, Unmade };
    explicit FolderLock(const QString& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    State state() const { return state_; }
    void keep();

  private:
    struct Held;
    std::unique_ptr<Held> held_;
    State state_ = State::Unmade;
};
QString lastCalculationPath();  // 最近一次计算.csv

// Whether this instance keeps the last calculation (and the data folder is
// made). The first instance to save a last calculation keeps that file for as
// long as it runs: another instance on the same folder does not overwrite it.
bool holdsLastCalculation();

// The finished calculation saved as the last one with its 工程信息, safely, when this instance
// keeps it. Nothing is told here: the caller says why it was not kept.
struct KeptCalculation {
    bool taken = false;  // another instance keeps the last calculation
    QString failure;     // why it could not be written
    bool kept() const { return !taken && failure.isEmpty(); }
};
KeptCalculation keepLastCalculation(const section::SectionSurvey& survey,
                                    const section::ProjectInfo& project);

// Writes `survey` and its 工程信息 into `path` without telling anyone: empty, or why it
// failed. It touches no widget and may run on any thread.
// A cut-and-fill survey goes as our CSV of its kind.
QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path,
                            const section::ProjectInfo& project = {});
QString saveLastCalculation(const section::Survey& survey, const QString& path,
                            const section::ProjectInfo& project = {});

}  // namespace storage
