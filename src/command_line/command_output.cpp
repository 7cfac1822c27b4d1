// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/command_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "storage/file_failure.h"

#if VELMORIN_POSIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace command_line {

namespace {

// The file standard output goes to, when it goes to one.
QString standardOutputName() {
#if defined(Q_OS_LINUX)
    const QString file = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/1"));
    if (file.startsWith(u'/')) return file;
#endif
    return QStringLiteral("标准输出");
}

}  // namespace

#if VELMORIN_POSIX

QString writeStandardOutput(const QByteArray& bytes) {
    int error = 0;
    for (qsizetype done = 0; !error && done < bytes.size();) {
        const ssize_t written =
            ::write(STDOUT_FILENO, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR) error = errno;
        if (written > 0) done += written;
    }
    // A file on a disk that fills up later says so only when synced.
    struct stat status {};
    if (!error && ::fstat(STDOUT_FILENO, &status) == 0 && S_ISREG(status.st_mode) &&
        ::fsync(STDOUT_FILENO) != 0)
        error = errno;
    const QString name = standardOutputName();
    if (::close(STDOUT_FILENO) != 0 && !error) error = errno;
    // Nothing opened later takes its number and gets what is meant for it.
    ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    return error ? storage::writeFailure(name, error) : QString();
}

QString outputOverInput(const QString& input, const QString& output) {
    struct stat read {};
    struct stat written {};
    const bool toStandardOutput = output == kStandardOutput;
    if (::stat(QFile::encodeName(input).constData(), &read) != 0) return {};
    const int found = toStandardOutput ? ::fstat(STDOUT_FILENO, &written)
                                       : ::stat(QFile::encodeName(output).constData(), &written);
    if (found != 0 || read.st_dev != written.st_dev || read.st_ino != written.st_ino) return {};
    const QString survey = QDir::toNativeSeparators(input);
    return toStandardOutput ? QStringLiteral(
                                  "没有写入标准输出：它就是测量数据文件“%1”，写入会毁掉测量数据。"
                                  "请把标准输出转到别的文件。")
                                  .arg(survey)
                            : QStringLiteral(
                                  "没有写入“%1”：它就是测量数据文件“%2”，写入会毁掉测量数据。"
                                  "请另选一个输出文件。")
                                  .arg(QDir::toNativeSeparators(output), survey);
}

#else

QString writeStandardOutput(const QByteArray& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                         std::size_t(bytes.size());
    if (written && std::fflush(stdout) == 0) return {};
    return storage::writeFailure(standardOutputName(), errno ? errno : EIO);
}

QString outputOverInput(const QString& input, const QString& output) {
    const QString read = QFileInfo(input).canonicalFilePath();
    if (output == kStandardOutput || read.isEmpty() ||
        read != QFileInfo(output).canonicalFilePath())
        return {};
    return QStringLiteral(
               "没有写入“%1”：它就是测量数据文件，写入会毁掉测量数据。请另选一个输出文件。")
        .arg(QDir::toNativeSeparators(output));
}

#endif

}  // namespace command_line
