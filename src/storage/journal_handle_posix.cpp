// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "storage/journal_handle.h"

namespace storage {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A rename reaches the disk with its folder.
void syncFolder(const QString& path) {
    const int fd =
        ::open(encoded(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

struct JournalHandle::Held {
    int fd = -1;
};

JournalHandle::JournalHandle() : held_(std::make_unique<Held>()) {}

JournalHandle::~JournalHandle() {
    close();
}

void JournalHandle::close() {
    if (held_->fd >= 0) ::close(held_->fd);  // the lock goes with it
    held_->fd = -1;
}

bool JournalHandle::isOpen() const {
    return held_->fd >= 0;
}

bool JournalHandle::isAt(const QString& path) const {
    struct stat held {};
    struct stat named {};
    return isOpen() && ::fstat(held_->fd, &held) == 0 &&
           ::stat(encoded(path).constData(), &named) == 0 && sameFile(held, named);
}

JournalHandle::Take JournalHandle::take(const QString& path) {
    close();
    // Without blocking: a FIFO opens at once and is then told apart.
    const int fd = ::open(encoded(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(encoded(path).constData(), &link) != 0)
            return {Taken::Passed};
        return {Taken::Failed, error};
    }
    struct stat opened {};
    ::fstat(fd, &opened);
    if (!S_ISREG(opened.st_mode)) {
        ::close(fd);
        return {Taken::NotRegular};
    }
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::stat(encoded(path).constData(), &named) != 0 ||
        !sameFile(opened, named)) {
        ::close(fd);
        return {Taken::Passed};
    }
    held_->fd = fd;
    return {Taken::Held};
}

int JournalHandle::create(const QString& temporary, const std::string& header,
                          const QString& path) {
    close();
    const int fd =
        ::open(encoded(temporary).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    errno = 0;
    const bool made = ::flock(fd, LOCK_EX) == 0 &&
                      ::write(fd, header.data(), header.size()) == ssize_t(header.size()) &&
                      ::fsync(fd) == 0 &&
                      ::rename(encoded(temporary).constData(), encoded(path).constData()) == 0;
    if (!made) {
        const int error = errno ? errno : ENOSPC;
        ::unlink(encoded(temporary).constData());
        ::close(fd);
        return error;
    }
    held_->fd = fd;
    syncFolder(path);
    return 0;
}

int JournalHandle::readAll(std::string& bytes, std::size_t largest, bool& tooLarge) {
    struct stat held {};
    if (::fstat(held_->fd, &held) != 0) return errno;
    tooLarge = std::size_t(held.st_size) > largest;
    if (tooLarge) return 0;
    bytes.assign(std::size_t(held.st_size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(held_->fd, bytes.data() + got, bytes.size() - got, off_t(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return 0;
}

int JournalHandle::cutTo(std::size_t length) {
    if (::ftruncate(held_->fd, off_t(length)) != 0 || ::fsync(held_->fd) != 0) return errno;
    return 0;
}

int JournalHandle::writeAt(std::size_t offset, const std::string& bytes) {
    errno = 0;
    const ssize_t written = ::pwrite(held_->fd, bytes.data(), bytes.size(), off_t(offset));
    if (written != ssize_t(bytes.size()) || ::fsync(held_->fd) != 0)
        return written >= 0 && errno == 0 ? ENOSPC : errno;
    return 0;
}

int JournalHandle::moveTo(const QString& from, const QString& to) {
    const int error = ::rename(encoded(from).constData(), encoded(to).constData()) == 0 ? 0 : errno;
    if (error == 0) syncFolder(to);
    close();
    return error;
}

int JournalHandle::remove(const QString& path) {
    const int error = ::unlink(encoded(path).constData()) == 0 || errno == ENOENT ? 0 : errno;
    close();
    return error;
}

}  // namespace storage
