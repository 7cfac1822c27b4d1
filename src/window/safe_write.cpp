// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/safe_write.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "window/file_failure.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace window {

namespace {

// Creates a new empty file: 0, or the error number.
int createNew(const QString& path) {
#if defined(Q_OS_UNIX)
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
#else
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return 0;
    return file.exists() ? EEXIST : EACCES;
#endif
}

#if defined(Q_OS_UNIX)
// 0 on success, else the error number.
int syncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}
#endif

}  // namespace

SafeFile::SafeFile(const QString& target) : target_(QFileInfo(target).absoluteFilePath()) {
    const QFileInfo info(target_);
    // Beside the target, so that the rename stays on one file system.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            info.dir().filePath(QStringLiteral(".%1.%2.tmp").arg(info.fileName()).arg(attempt));
        const int created = createNew(candidate);
        if (created == 0) {
            temporary_ = candidate;
            return;
        }
        if (created != EEXIST) {
            error_ = writeFailure(target_, created);
            return;
        }
    }
    error_ = writeFailure(target_, EEXIST);
}

SafeFile::~SafeFile() {
    if (!committed_ && !temporary_.isEmpty()) QFile::remove(temporary_);
}

bool SafeFile::commit() {
    if (temporary_.isEmpty()) return false;
#if defined(Q_OS_UNIX)
    if (const int error = syncPath(temporary_, O_RDONLY)) {
        error_ = writeFailure(target_, error);
        return false;
    }
    if (std::rename(QFile::encodeName(temporary_).constData(),
                    QFile::encodeName(target_).constData()) != 0) {
        error_ = writeFailure(target_, errno);
        return false;
    }
    committed_ = true;
    // The rename itself reaches the disk with its folder.
    syncPath(QFileInfo(target_).absolutePath(), O_RDONLY | O_DIRECTORY);
#else
    // Elsewhere a rename does not replace: the old file steps aside first.
    const QString old = target_ + QStringLiteral(".old");
    QFile::remove(old);
    const bool moved = !QFile::exists(target_) || QFile::rename(target_, old);
    if (!moved || !QFile::rename(temporary_, target_)) {
        error_ = writeFailure(target_, EACCES);
        return false;
    }
    QFile::remove(old);
    committed_ = true;
#endif
    return true;
}

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    QFile file(safe.temporaryPath());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno ? errno : EIO;
        return writeFailure(path, error);
    }
    file.close();
    if (file.error() != QFileDevice::NoError) return writeFailure(path, errno ? errno : EIO);
    return safe.commit() ? QString() : safe.error();
}

}  // namespace window
