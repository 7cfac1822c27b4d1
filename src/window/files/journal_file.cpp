// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/journal_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <string>

#include "window/files/data_folder.h"
#include "window/files/file_failure.h"

namespace window {

namespace {

constexpr int kBackupsKept = 5;

// Far beyond any survey typed by hand; a larger "journal" is something else,
// and is not read into memory.
constexpr off_t kLargestJournal = off_t(256) << 20;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString stamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A rename reaches the disk with its folder.
void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Journal& instanceJournal() {
    static Journal journal;
    return journal;
}

Journal::~Journal() {
    release();
}

void Journal::release() {
    if (fd_ >= 0) ::close(fd_);  // the lock goes with it
    fd_ = -1;
    path_.clear();
}

// Removed or replaced behind this instance's back (a test emptying the data
// folder, a user moving files): not this instance's journal any more.
bool Journal::stillInPlace() const {
    struct stat held {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &held) == 0 &&
           ::stat(encoded(path_).constData(), &named) == 0 && sameFile(held, named);
}

Journal::Found Journal::unfinished() {
    if (stillInPlace()) return {path_, readHeld()};
    release();
    const QDir folder(dataFolder());
    // A FIFO, a device or a dangling link named like a journal is listed too,
    // to be moved aside.
    const QStringList names = folder.entryList(
        {QStringLiteral("calculation.journal"), QStringLiteral("calculation-[0-9]*.journal")},
        QDir::Files | QDir::System, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (passedOver_.contains(path)) continue;
        // Without blocking: a FIFO opens at once and is then told apart.
        const int fd =
            ::open(encoded(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            const int error = errno;
            struct stat link {};
            if (error == ENOENT && ::lstat(encoded(path).constData(), &link) != 0) continue;
            path_ = path;
            return {path, {{}, readFailure(path, error).toStdString()}};
        }
        struct stat opened {};
        ::fstat(fd, &opened);
        if (!S_ISREG(opened.st_mode)) {
            ::close(fd);
            path_ = path;
            return {path, {{}, "不是普通文件"}};
        }
        struct stat named {};
        // Held by a running instance, or gone or replaced while being taken.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::stat(encoded(path).constData(), &named) != 0 ||
            !sameFile(opened, named)) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        path_ = path;
        survey_file::JournalRead read = readHeld();
        if (!read.fault.empty() || !read.entries.empty()) return {path, read};
        remove();  // nothing to resume
    }
    return {};
}

survey_file::JournalRead Journal::readHeld() {
    struct stat held {};
    if (::fstat(fd_, &held) != 0) return {{}, readFailure(path_, errno).toStdString()};
    if (held.st_size > kLargestJournal) return {{}, "文件大于 256 MB"};
    std::string bytes(static_cast<std::size_t>(held.st_size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd_, bytes.data() + got, bytes.size() - got, off_t(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {{}, readFailure(path_, errno).toStdString()};
        if (n == 0) break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    survey_file::JournalRead read = survey_file::readJournal(bytes);
    length_ = read.wholeLength;
    return read;
}

QString Journal::resume() {
    stopped_ = false;
    // A line cut by a kill or a power cut (or NULs padding it) would
    // otherwise run into the next answer and damage both.
    if (::ftruncate(fd_, off_t(length_)) != 0 || ::fsync(fd_) != 0) return stop(errno);
    return {};
}

void Journal::startNew() {
    release();
    stopped_ = false;
    length_ = 0;
}

QString Journal::stop(int error) {
    stopped_ = true;
    if (fd_ >= 0 && ::ftruncate(fd_, off_t(length_)) == 0) ::fsync(fd_);
    return writeFailure(path_.isEmpty() ? dataFolder() : path_, error ? error : EIO) +
           QStringLiteral("本次计算从这里起输入的数据不再记录。");
}

// Made under a name no other instance looks at, locked, and only then put in
// place: no instance ever sees a journal that nobody holds yet.
QString Journal::create() {
    QDir().mkpath(dataFolder());
    const QString name = QStringLiteral("calculation-%1-%2.journal")
                             .arg(stamp())
                             .arg(QCoreApplication::applicationPid());
    const QDir folder(dataFolder());
    const QString path = folder.filePath(name);
    const QString temporary = folder.filePath(QLatin1Char('.') + name + QStringLiteral(".new"));
    path_ = path;
    fd_ = ::open(encoded(temporary).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) return stop(errno);
    errno = 0;
    const std::string header = survey_file::journalHeader();
    const bool made = ::flock(fd_, LOCK_EX) == 0 &&
                      ::write(fd_, header.data(), header.size()) == ssize_t(header.size()) &&
                      ::fsync(fd_) == 0 &&
                      ::rename(encoded(temporary).constData(), encoded(path).constData()) == 0;
    if (!made) {
        const QString failure = stop(errno ? errno : ENOSPC);
        ::unlink(encoded(temporary).constData());
        release();
        return failure;
    }
    syncFolder(folder.path());
    length_ = header.size();
    return {};
}

QString Journal::append(const survey_file::JournalEntry& entry) {
    if (stopped_) return {};
    if (fd_ < 0) {
        if (QString failure = create(); !failure.isEmpty()) return failure;
    }
    const std::string line = survey_file::journalLine(entry);
    // On the disk before the next prompt: a kill or a power cut loses at most
    // the answer being typed. Written at the end of the whole lines, so a
    // failed write leaves nothing for a later one to land after.
    errno = 0;
    const ssize_t written = ::pwrite(fd_, line.data(), line.size(), off_t(length_));
    if (written != ssize_t(line.size()) || ::fsync(fd_) != 0)
        return stop(written >= 0 && errno == 0 ? ENOSPC : errno);
    length_ += line.size();
    return {};
}

QString Journal::remove() {
    QString failure;
    if (::unlink(encoded(path_).constData()) != 0 && errno != ENOENT)
        failure = writeFailure(path_, errno);
    release();
    return failure;
}

JournalMove Journal::moveTo(const QString& kind) {
    const QDir folder(dataFolder());
    const QString moved =
        folder.filePath(QStringLiteral("calculation-%1-%2.journal").arg(kind, stamp()));
    JournalMove move{moved, {}};
    // Renamed while still locked: no other instance takes it half-way.
    if (::rename(encoded(path_).constData(), encoded(moved).constData()) != 0) {
        move.failure = writeFailure(moved, errno);
    } else {
        syncFolder(folder.path());
    }
    release();
    // The newest few of each kind stay.
    const QStringList older =
        folder.entryList({QStringLiteral("calculation-%1-*.journal").arg(kind)},
                         QDir::Files | QDir::System, QDir::Name | QDir::Reversed);
    for (qsizetype k = kBackupsKept; k < older.size(); ++k)
        QFile::remove(folder.filePath(older[k]));
    return move;
}

JournalMove Journal::keepAsBackup() {
    return moveTo(QStringLiteral("backup"));
}

JournalMove Journal::moveAside() {
    const QString from = path_;
    JournalMove move = moveTo(QStringLiteral("damaged"));
    if (!move.failure.isEmpty()) passedOver_ << from;
    return move;
}

}  // namespace window
