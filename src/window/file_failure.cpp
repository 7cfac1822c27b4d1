// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/file_failure.h"

#include <QDir>
#include <cerrno>
#include <cstring>

namespace window {

namespace {

enum class Access { Read, Write };

QString reason(int errorNumber, Access access) {
    const bool reading = access == Access::Read;
    switch (errorNumber) {
        case ENOSPC:
            return QStringLiteral("磁盘空间不足");
#ifdef EDQUOT
        case EDQUOT:
            return QStringLiteral("超出了磁盘配额");
#endif
        case EACCES:
        case EPERM:
            return reading ? QStringLiteral("没有读取权限") : QStringLiteral("没有写入权限");
        case EROFS:
            return QStringLiteral("文件夹所在的磁盘是只读的");
        case ENOENT:
        case ENOTDIR:
            return reading ? QStringLiteral("文件不存在") : QStringLiteral("文件夹不存在");
        case EISDIR:
            return QStringLiteral("这是一个文件夹，不是文件");
        case EIO:
            return QStringLiteral("磁盘读写出错");
        default:
            return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

}  // namespace

QString readFailure(const QString& path, int errorNumber) {
    return QStringLiteral("无法打开文件“%1”：%2。")
        .arg(QDir::toNativeSeparators(path), reason(errorNumber, Access::Read));
}

QString writeFailure(const QString& path, int errorNumber) {
    return QStringLiteral("无法写入文件“%1”：%2。")
        .arg(QDir::toNativeSeparators(path), reason(errorNumber, Access::Write));
}

}  // namespace window
