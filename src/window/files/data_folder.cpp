// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "survey_file/survey_file.h"
#include "window/files/safe_write.h"

#if VELMORIN_POSIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace window {

namespace {

enum class Lock { Held, Unmade, Taken };

// Held for as long as this instance runs, and let go when it ends, killed or
// not.
Lock takeLastCalculationLock(const QString& path) {
#if VELMORIN_POSIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return Lock::Unmade;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Lock::Taken;
    }
    return Lock::Held;  // the descriptor stays open, and the lock with it
#else
    // Qt's lock file: one left by an instance that has ended is taken over.
    auto* lock = new QLockFile(path);
    if (lock->tryLock(0)) return Lock::Held;  // never deleted: the lock stays
    const Lock state = lock->error() == QLockFile::LockFailedError ? Lock::Taken : Lock::Unmade;
    delete lock;
    return state;
#endif
}

}  // namespace

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
    const Lock lock = takeLastCalculationLock(
        QDir(dataFolder()).filePath(QStringLiteral("last-calculation.lock")));
    held = lock == Lock::Held;
    return lock != Lock::Taken;
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

QString saveLastCalculation(const section::CutFillSurvey& survey, const QString& path,
                            const section::ProjectInfo& project) {
    return writeInDataFolder(path, survey_file::writeCutFillSurvey(survey, project));
}

}  // namespace window
