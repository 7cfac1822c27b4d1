// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/unsaved_edits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "storage/data_folder.h"
#include "storage/file_failure.h"
#include "storage/safe_write.h"

namespace storage {

namespace {

// Steps after which the whole survey is copied again: the steps file stays
// small, reopening quick.
constexpr int kStepsPerCopy = 64;

QString stepsTemporary() {
    return ownEditFiles().steps() + QStringLiteral(".new");
}

}  // namespace

QString removeUnsavedEdits(const EditFiles& files) {
    for (const QString& path : {files.copy(), files.steps(), files.name()})
        if (QFile::exists(path) && !QFile::remove(path))
            return QStringLiteral("无法删除“%1”。").arg(QDir::toNativeSeparators(path));
    // Another instance's, taken over: its lock goes with them.
    if (!files.isOwn()) QFile::remove(files.lock());
    return {};
}

UnsavedEdits::UnsavedEdits() {
    pool_.setMaxThreadCount(1);
}

UnsavedEdits::~UnsavedEdits() {
    pool_.waitForDone();
}

QString UnsavedEdits::keepWhole(const section::Survey& survey, const section::ProjectInfo& project,
                                const QString& file) {
    settle();
    if (const QString failure = saveLastCalculation(survey, ownEditFiles().copy(), project);
        !failure.isEmpty())
        return failure;
    // A copy in the data folder (the last calculation) is no user's file.
    const bool own =
        !file.isEmpty() && QFileInfo(file).absolutePath() != QDir(dataFolder()).absolutePath();
    if (const QString named =
            writeFileSafely(ownEditFiles().name(), own ? file.toUtf8() : QByteArray());
        !named.isEmpty())
        return named;
    // Steps left from before the copy are stale: a new, empty file replaces them.
    if (const QString failure = restartSteps({}); !failure.isEmpty()) return failure;
    return {};
}

QString UnsavedEdits::restartSteps(const std::string& records) {
    QFile::remove(stepsTemporary());
    if (const int error = steps_.create(stepsTemporary(), records, ownEditFiles().steps())) {
        steps_.close();
        return writeFailure(ownEditFiles().steps(), error);
    }
    length_ = records.size();
    return {};
}

QString UnsavedEdits::append(const std::string& record) {
    if (const int error = steps_.writeAt(length_, record)) {
        steps_.close();
        return writeFailure(ownEditFiles().steps(), error);
    }
    length_ += record.size();
    ++stepsSinceCopy_;
    if (copying_) sinceCopy_ += record;
    return {};
}

bool UnsavedEdits::copyDue() const {
    return steps_.isOpen() && !copying_ && stepsSinceCopy_ >= kStepsPerCopy;
}

void UnsavedEdits::copyInBackground(section::Survey survey, section::ProjectInfo project,
                                    CopyDone done) {
    copying_ = true;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    pool_.start([survey = std::move(survey), project = std::move(project), done = std::move(done),
                 generation = generation_] {
        done(generation, saveLastCalculation(survey, ownEditFiles().copy(), project));
    });
}

QString UnsavedEdits::copied(unsigned generation, const QString& failure) {
    if (generation != generation_ || !copying_) return {};
    copying_ = false;
    // On a failure the steps stay, all of them, on the older copy.
    if (!failure.isEmpty()) return failure;
    // Only the steps after the copy stay; killed before this, the older ones
    // replay on the new copy harmlessly. On a failure the next step copies
    // the whole survey again.
    const std::string since = std::move(sinceCopy_);
    sinceCopy_.clear();
    return restartSteps(since);
}

void UnsavedEdits::settle() {
    pool_.waitForDone();
    ++generation_;
    copying_ = false;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    steps_.close();
}

QString UnsavedEdits::forget() {
    settle();
    return removeUnsavedEdits();
}

}  // namespace storage
