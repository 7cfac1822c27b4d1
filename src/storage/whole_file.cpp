// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "runtime/large_pages.h"
#include "storage/file_failure.h"

#if VELMORIN_POSIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace storage {

namespace {

#if VELMORIN_POSIX

// Why a file that is not a regular one cannot be read, in the user's words.
QString notRegular(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("这是一个文件夹，不是文件");
    if (S_ISFIFO(mode))
        return QStringLiteral("这是一个管道（FIFO），不是普通文件：请先把数据保存为文件再打开");
    if (S_ISSOCK(mode)) return QStringLiteral("这是一个套接字，不是普通文件");
    return QStringLiteral("这是一个设备，不是普通文件");
}

// The times to the nanosecond, under the names each system gives them.
#if defined(__APPLE__)
bool sameTimes(const struct stat& a, const struct stat& b) {
    return a.st_mtimespec.tv_sec == b.st_mtimespec.tv_sec &&
           a.st_mtimespec.tv_nsec == b.st_mtimespec.tv_nsec &&
           a.st_ctimespec.tv_sec == b.st_ctimespec.tv_sec &&
           a.st_ctimespec.tv_nsec == b.st_ctimespec.tv_nsec;
}
#else
bool sameTimes(const struct stat& a, const struct stat& b) {
    return a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}
#endif

bool sameFile(const struct stat& before, const struct stat& after) {
    return before.st_size == after.st_size && sameTimes(before, after);
}

// Up to the end, whatever the size said: files under /proc give their size
// as 0. One byte of room beyond the size to see the end without growing the
// buffer. False with errno set when a read fails.
bool readAll(int fd, std::string& bytes, std::size_t expected) {
    const std::size_t room = expected > 0 ? expected + 1 : 64 * 1024;
    bytes.reserve(room);
    runtime::askForLargePages(bytes.data(), room);
    bytes.resize(room);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        used += std::size_t(got);
    }
    bytes.resize(used);
    return true;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

#endif

}  // namespace

WholeFile readWholeFile(const QString& path) {
#if VELMORIN_POSIX
    // Not blocking, so that opening a FIFO without a writer returns at once
    // and is then refused as not a regular file.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return {{}, readFailure(path, errno)};
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0) return {{}, readFailure(path, errno)};
    if (!S_ISREG(before.st_mode)) return {{}, readFailure(path, notRegular(before.st_mode))};
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    WholeFile file;
    if (!readAll(fd.get(), file.bytes, std::size_t(before.st_size)))
        return {{}, readFailure(path, errno)};
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0) return {{}, readFailure(path, errno)};
    const bool sizeKept = before.st_size == 0 || file.bytes.size() == std::size_t(before.st_size);
    if (!sizeKept || !sameFile(before, after))
        return {{},
                readFailure(path, QStringLiteral("文件在读取时被改动（也许另一个程序正在保存它）："
                                                 "请等它保存完后再打开"))};
    return file;
#else
    if (QFileInfo(path).isDir()) return {{}, readFailure(path, EISDIR)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, readFailure(path, file.exists() ? EACCES : ENOENT)};
    const QByteArray bytes = file.readAll();
    return {bytes.toStdString(), {}};
#endif
}

}  // namespace storage
