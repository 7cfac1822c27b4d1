// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/safe_write.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>

#include "storage/file_failure.h"

#if VELMORIN_POSIX
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#endif

namespace storage {

namespace {

// No save takes this long: a temporary this old was left by one cut off.
constexpr qint64 kStaleSeconds = 600;

#if VELMORIN_POSIX
QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}
#endif

QString randomLetters(int count) {
    static const QLatin1StringView letters(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString text;
    for (int k = 0; k < count; ++k)
        text += letters[QRandomGenerator::global()->bounded(int(letters.size()))];
    return text;
}

// Short, so that every name that fits the folder has a temporary beside it.
QString temporaryName() {
    return QStringLiteral(".vm-%1-%2.tmp")
        .arg(QCoreApplication::applicationPid())
        .arg(randomLetters(6));
}

bool processGone(qint64 pid) {
#if VELMORIN_POSIX
    return pid > 0 && pid <= INT_MAX && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#else
    Q_UNUSED(pid);
    return false;
#endif
}

// Temporaries beside `file` left by saves that were cut off: ours whose
// process is gone or that are old, and old ones of earlier versions
// (".NAME.N.tmp").
void removeStaleTemporaries(const QString& file) {
    const QFileInfo info(file);
    static const QRegularExpression ours(QStringLiteral(R"(^\.vm-(\d+)-[A-Za-z0-9]{6}\.tmp$)"));
    const QRegularExpression earlier(QLatin1Char('^') +
                                     QRegularExpression::escape(u'.' + info.fileName() + u'.') +
                                     QStringLiteral(R"(\d+\.tmp$)"));
    const QDateTime old = QDateTime::currentDateTime().addSecs(-kStaleSeconds);
    const QFileInfoList entries = info.dir().entryInfoList(
        {QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = ours.match(entry.fileName());
        const bool aged = entry.lastModified() < old;
        const bool stale = match.hasMatch() ? aged || processGone(match.captured(1).toLongLong())
                                            : aged && earlier.match(entry.fileName()).hasMatch();
        if (stale) QFile::remove(entry.filePath());
    }
}

#if VELMORIN_POSIX

// 0 on success, else the error number.
int syncPath(const QString& path, int flags) {
    const int fd = ::open(encoded(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

int writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR) return errno;
        if (written > 0) done += written;
    }
    return 0;
}

QString notRegularFile(const QString& path, mode_t mode) {
    if (S_ISDIR(mode)) return writeFailure(path, EISDIR);
    const QString what = S_ISFIFO(mode)   ? QStringLiteral("管道（FIFO）")
                         : S_ISSOCK(mode) ? QStringLiteral("套接字")
                                          : QStringLiteral("设备");
    return QStringLiteral("没有写入“%1”：这是一个%2，不是普通文件，保存不会替换它。")
        .arg(QDir::toNativeSeparators(path), what);
}

struct Destination {
    QString path;
    QString error;
};

// The file a save of `target` replaces: symbolic links followed to their
// end, also to a file that does not exist yet.
Destination destinationOf(const QString& target) {
    struct stat status {};
    if (::stat(encoded(target).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return {{}, notRegularFile(target, status.st_mode)};
    QString path = target;
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(encoded(path).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return {path, {}};
        char link[PATH_MAX];
        const ssize_t size = ::readlink(encoded(path).constData(), link, sizeof link);
        if (size < 0) return {{}, writeFailure(target, errno)};
        path = QFileInfo(path).dir().filePath(QFile::decodeName(QByteArray(link, size)));
    }
    return {{}, writeFailure(target, ELOOP)};
}

// The temporary takes the permissions and owner of the file it replaces; a
// new file gets the usual ones (open applies the umask).
void takeOver(int fd, const QString& destination) {
    struct stat old {};
    if (::stat(encoded(destination).constData(), &old) != 0) return;
    const bool owned = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    if (::fchmod(fd, old.st_mode & (owned ? 07777 : 0777)) != 0) return;
}

// Every name of a file with further hard links keeps seeing it, so its
// content is replaced in place. The whole new content is on disk already in
// the temporary and the space is reserved first: only a fault of the disk
// itself can stop it halfway, after `touched`.
struct InPlace {
    int error = 0;
    bool touched = false;
};

InPlace replaceInPlace(const QString& destination, const QByteArray& bytes) {
    const int fd = ::open(encoded(destination).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return {errno};
    int error = bytes.isEmpty() ? 0 : ::posix_fallocate(fd, 0, off_t(bytes.size()));
    if (error == EINVAL || error == EOPNOTSUPP) error = 0;  // a file system that cannot reserve
    if (error) {
        ::close(fd);
        return {error};
    }
    error = writeAll(fd, bytes);
    if (!error && ::ftruncate(fd, off_t(bytes.size())) != 0) error = errno;
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    return {error, true};
}

#endif

}  // namespace

SafeFile::SafeFile(const QString& target) : target_(QFileInfo(target).absoluteFilePath()) {
#if VELMORIN_POSIX
    const Destination destination = destinationOf(target_);
    if (!destination.error.isEmpty()) {
        error_ = destination.error;
        return;
    }
    destination_ = destination.path;
#else
    destination_ = target_;
#endif
    removeStaleTemporaries(destination_);
    if (destination_ != target_) removeStaleTemporaries(target_);
    // Beside the destination, so that the rename stays on one file system.
    const QDir folder = QFileInfo(destination_).dir();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = folder.filePath(temporaryName());
#if VELMORIN_POSIX
        const int fd =
            ::open(encoded(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            error_ = writeFailure(target_, errno);
            return;
        }
        takeOver(fd, destination_);
        ::close(fd);
#else
        QFile file(candidate);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) continue;
            error_ = writeFailure(target_, EACCES);
            return;
        }
#endif
        temporary_ = candidate;
        return;
    }
    error_ = writeFailure(target_, EEXIST);
}

SafeFile::~SafeFile() {
    if (!committed_ && !temporary_.isEmpty()) QFile::remove(temporary_);
}

bool SafeFile::write(const QByteArray& bytes) {
    if (temporary_.isEmpty()) return false;
#if VELMORIN_POSIX
    const int fd = ::open(encoded(temporary_).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    int error = fd < 0 ? errno : writeAll(fd, bytes);
    if (fd >= 0 && ::close(fd) != 0 && !error) error = errno;
    if (error) error_ = writeFailure(target_, error);
    return !error;
#else
    QFile file(temporary_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(bytes) == bytes.size()) {
        file.close();
        if (file.error() == QFileDevice::NoError) return true;
    }
    error_ = writeFailure(target_, EIO);
    return false;
#endif
}

#if VELMORIN_POSIX

bool SafeFile::commit() {
    if (temporary_.isEmpty()) return false;
    int error = syncPath(temporary_, O_RDONLY);
    struct stat old {};
    if (!error && ::stat(encoded(destination_).constData(), &old) == 0 && old.st_nlink > 1)
        return commitInPlace();
    if (!error &&
        std::rename(encoded(temporary_).constData(), encoded(destination_).constData()) != 0)
        error = errno;
    if (error) {
        error_ = writeFailure(target_, error);
        return false;
    }
    committed_ = true;
    // The rename itself reaches the disk with its folder.
    syncPath(QFileInfo(destination_).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

// Cut off halfway, the new content stays beside the file under a name of its
// own; otherwise the temporary goes with this object.
bool SafeFile::commitInPlace() {
    QFile source(temporary_);
    const QByteArray bytes = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
    const InPlace done =
        source.error() == QFileDevice::NoError ? replaceInPlace(destination_, bytes) : InPlace{EIO};
    if (!done.error) return true;
    error_ = writeFailure(target_, done.error);
    if (!done.touched) return false;
    const QFileInfo info(destination_);
    const QString kept = info.dir().filePath(
        QStringLiteral("velmorin-saved-%1.%2").arg(randomLetters(6), info.suffix().left(16)));
    if (QFile::rename(temporary_, kept)) temporary_ = kept;
    committed_ = true;  // kept, not removed
    error_ += QStringLiteral("完整的新内容保存在“%1”。").arg(QDir::toNativeSeparators(temporary_));
    return false;
}

#else

bool SafeFile::commit() {
    if (temporary_.isEmpty()) return false;
    // Here a rename does not replace: the old file steps aside first.
    const QString old = target_ + QStringLiteral(".old");
    QFile::remove(old);
    const bool moved = !QFile::exists(target_) || QFile::rename(target_, old);
    if (!moved || !QFile::rename(temporary_, target_)) {
        error_ = writeFailure(target_, EACCES);
        return false;
    }
    QFile::remove(old);
    committed_ = true;
    return true;
}

#endif

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    SafeFile safe(path);
    return safe.write(bytes) && safe.commit() ? QString() : safe.error();
}

QByteArray bytesWrittenBy(const QString& ending,
                          const std::function<QString(const QString& file)>& write,
                          QString& error) {
    QTemporaryFile file(
        QDir(QDir::tempPath()).filePath(QStringLiteral("velmorin-XXXXXX") + ending));
    errno = 0;
    if (!file.open()) {
        error = writeFailure(file.fileTemplate(), errno ? errno : EACCES);
        return {};
    }
    error = write(file.fileName());
    if (!error.isEmpty()) return {};
    // The writer may have replaced the file under its name: read it afresh.
    QFile written(file.fileName());
    if (!written.open(QIODevice::ReadOnly)) {
        error = writeFailure(file.fileName(), EIO);
        return {};
    }
    return written.readAll();
}

}  // namespace storage
