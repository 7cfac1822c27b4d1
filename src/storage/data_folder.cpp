// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "storage/safe_write.h"
#include "survey_file/file_format.h"
#include "survey_file/survey_file.h"

#if VELMORIN_POSIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace storage {

#if VELMORIN_POSIX
struct FolderLock::Held {
    int fd = -1;
};

// The descriptor's lock goes when it is closed, or when this instance ends,
// killed or not.
FolderLock::FolderLock(const QString& path) : held_(std::make_unique<Held>()) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        state_ = State::Taken;
        return;
    }
    held_->fd = fd;
    state_ = State::Held;
}

FolderLock::~FolderLock() {
    if (held_ && held_->fd >= 0) ::close(held_->fd);
}
#else
// Qt's lock file: one left by an instance that has ended is taken over.
struct FolderLock::Held {
    explicit Held(const QString& path) : file(path) {}
    QLockFile file;
};

FolderLock::FolderLock(const QString& path) : held_(std::make_unique<Held>(path)) {
    if (held_->file.tryLock(0))
        state_ = State::Held;
    else if (held_->file.error() == QLockFile::LockFailedError)
        state_ = State::Taken;
}

FolderLock::~FolderLock() = default;
#endif

void FolderLock::keep() {
    static_cast<void>(held_.release());  // never let go: the lock stays until this instance ends
}

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString lastCalculationPath() {
    return QDir(dataFolder()).filePath(QStringLiteral("最近一次计算.csv"));
}

// A folder where the lock cannot even be made gets the write tried, and its
// failure told.
bool holdsLastCalculation() {
    static bool held = false;
    QDir().mkpath(dataFolder());
    if (held) return true;
    FolderLock lock(QDir(dataFolder()).filePath(QStringLiteral("last-calculation.lock")));
    held = lock.state() == FolderLock::State::Held;
    if (held) lock.keep();
    return lock.state() != FolderLock::State::Taken;
}

KeptCalculation keepLastCalculation(const section::SectionSurvey& survey,
                                    const section::ProjectInfo& project) {
    if (!holdsLastCalculation()) return {true, {}};
    return {false, saveLastCalculation(survey, lastCalculationPath(), project)};
}

namespace {

QString writeInDataFolder(const QString& path, const std::string& text) {
    QDir().mkpath(QFileInfo(path).path());
    return writeFileSafely(path, QByteArray::fromStdString(text));
}

}  // namespace

QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path,
                            const section::ProjectInfo& project) {
    return writeInDataFolder(path, survey_file::writeSurvey(survey, project));
}

QString saveLastCalculation(const section::Survey& survey, const QString& path,
                            const section::ProjectInfo& project) {
    return writeInDataFolder(
        path, survey_file::surveyFileText(survey, survey_file::Format::SurveyCsv, project));
}

}  // namespace storage
