// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/edit_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>

#include "document/survey_document.h"
#include "storage/data_folder.h"
#include "storage/file_failure.h"
#include "storage/safe_write.h"
#include "survey_file/step_journal.h"
#include "window/files/data_folder_messages.h"

namespace window {

// Reads and writes go through storage, its names used plainly here.
using storage::dataFolder;
using storage::EditFiles;
using storage::ownEditFiles;
using storage::saveLastCalculation;
using storage::writeFailure;
using storage::writeFileSafely;

namespace {

// Steps after which the whole survey is copied again: the steps file stays
// small, reopening quick.
constexpr int kStepsPerCopy = 64;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString stepsTemporary() {
    return unsavedEditsStepsPath() + QStringLiteral(".new");
}

}  // namespace

QString unsavedEditsPath() {
    return ownEditFiles().copy();
}

QString unsavedEditsStepsPath() {
    return ownEditFiles().steps();
}

QString unsavedEditsNamePath() {
    return ownEditFiles().name();
}

QString removeUnsavedEdits(const EditFiles& files) {
    for (const QString& path : {files.copy(), files.steps(), files.name()})
        if (QFile::exists(path) && !QFile::remove(path))
            return QStringLiteral("无法删除“%1”。").arg(shown(path));
    // Another instance's, taken over: its lock goes with them.
    if (!files.isOwn()) QFile::remove(files.lock());
    return {};
}

EditRecovery::EditRecovery(const document::SurveyDocument& document, QWidget* parent)
    : QObject(parent), document_(document), parent_(parent) {
    pool_.setMaxThreadCount(1);
    connect(&document_, &document::SurveyDocument::changed, this, &EditRecovery::follow);
    // The steps hold sections only: a change of the 工程信息 is kept by a
    // whole copy, which carries it.
    connect(&document_, &document::SurveyDocument::projectChanged, this, [this] {
        if (document_.modified() && !replaced_) keepWhole();
    });
    // The document tells whether the survey is changed only after the step
    // has been announced: the first step after a save, and any survey
    // replaced, is kept from here.
    connect(&document_, &document::SurveyDocument::fileChanged, this, [this] {
        replaced_ = false;
        if (!document_.modified())
            forget();
        else if (!steps_.isOpen())
            keepWhole();
    });
}

EditRecovery::~EditRecovery() {
    pool_.waitForDone();
}

void EditRecovery::warn(const QString& failure) const {
    if (!failure.isEmpty()) warnDataFolderOnce(parent_, failure);
}

void EditRecovery::follow(const document::Change& change) {
    // A survey opened or made new is no edit, and one copied whole and then
    // removed again costs as much as reading it: whether to keep it is told
    // by the fileChanged that follows every replaced survey.
    if (change.kind == document::Change::Kind::Survey) {
        settle();
        replaced_ = true;
        return;
    }
    if (!document_.modified()) {
        forget();
        return;
    }
    if (!steps_.isOpen()) {
        keepWhole();
        return;
    }
    // The section before the first changed too when its spacing did; after
    // sections put in or taken out, every one from there on is renumbered.
    const int count = document_.survey().sectionCount();
    const int to =
        change.kind == document::Change::Kind::Sections ? count : std::min(change.last, count);
    const int from = std::min(std::max(1, change.first - 1), to + 1);
    append(survey_file::stepRecord(document_.survey(), from, to));
}

// The copy under way written or failed, and its steps let go: what follows
// starts afresh.
void EditRecovery::settle() {
    pool_.waitForDone();
    ++generation_;
    copying_ = false;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    steps_.close();
}

void EditRecovery::keepWhole() {
    settle();
    const QString failure =
        saveLastCalculation(document_.survey(), unsavedEditsPath(), document_.project());
    if (!failure.isEmpty()) {
        warn(failure);
        return;
    }
    // The file the edits belong to, so that they reopen as its own; a copy
    // in the data folder (the last calculation) is no user's file.
    const QString file = document_.fileName();
    const bool own =
        !file.isEmpty() && QFileInfo(file).absolutePath() != QDir(dataFolder()).absolutePath();
    if (const QString named =
            writeFileSafely(unsavedEditsNamePath(), own ? file.toUtf8() : QByteArray());
        !named.isEmpty()) {
        warn(named);
        return;
    }
    // Steps left from before the copy are stale: a new, empty file replaces them.
    QFile::remove(stepsTemporary());
    if (const int error = steps_.create(stepsTemporary(), {}, unsavedEditsStepsPath())) {
        warn(writeFailure(unsavedEditsStepsPath(), error));
        return;
    }
    length_ = 0;
}

void EditRecovery::append(const std::string& record) {
    if (const int error = steps_.writeAt(length_, record)) {
        // Kept whole again at the next step, once the disk allows it.
        warn(writeFailure(unsavedEditsStepsPath(), error));
        steps_.close();
        return;
    }
    length_ += record.size();
    ++stepsSinceCopy_;
    if (copying_)
        sinceCopy_ += record;
    else if (stepsSinceCopy_ >= kStepsPerCopy)
        copyInBackground();
}

void EditRecovery::copyInBackground() {
    copying_ = true;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    auto done = [this, generation = generation_](const QString& failure) {
        QMetaObject::invokeMethod(
            this, [this, generation, failure] { copied(generation, failure); },
            Qt::QueuedConnection);
    };
    // A copy of the survey, taken here, is written there; the steps after it
    // go on being appended meanwhile.
    pool_.start([survey = document_.survey(), project = document_.project(),
                 path = unsavedEditsPath(),
                 done] { done(saveLastCalculation(survey, path, project)); });
}

void EditRecovery::copied(unsigned generation, const QString& failure) {
    if (generation != generation_ || !copying_) return;
    copying_ = false;
    if (!failure.isEmpty()) {
        warn(failure);  // the steps stay, all of them, on the older copy
        return;
    }
    // Only the steps after the copy stay; killed before this, the older ones
    // replay on the new copy harmlessly.
    QFile::remove(stepsTemporary());
    if (const int error = steps_.create(stepsTemporary(), sinceCopy_, unsavedEditsStepsPath())) {
        warn(writeFailure(unsavedEditsStepsPath(), error));
        steps_.close();  // the next step copies the whole survey again
        return;
    }
    length_ = sinceCopy_.size();
    sinceCopy_.clear();
}

void EditRecovery::forget() {
    settle();
    // Saved, or a new survey: nothing is left to recover.
    warn(removeUnsavedEdits());
}

}  // namespace window
