// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/file_failure.h"

#include <QDir>
#include <cerrno>

namespace storage {

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
        case EEXIST:
            return QStringLiteral("文件已存在");
        case ENOMEM:
            return QStringLiteral("内存不足");
        case EFBIG:
        case EOVERFLOW:
            return QStringLiteral("文件太大");
        case ENAMETOOLONG:
            return QStringLiteral("文件名或路径太长");
        case ELOOP:
            return QStringLiteral("符号链接的层数太多（也许链接指向了自己）");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("同时打开的文件太多");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("文件正被其他程序占用");
        case ENXIO:
        case ENODEV:
            return QStringLiteral("设备不存在或没有连接");
        case EAGAIN:
            return QStringLiteral("文件暂时无法访问，请稍后再试");
        case EINTR:
            return QStringLiteral("操作被中断，请再试一次");
        case EXDEV:
            return QStringLiteral("不能跨磁盘移动文件");
#ifdef ESTALE
        case ESTALE:
#endif
        case ETIMEDOUT:
        case EHOSTUNREACH:
        case ENETDOWN:
        case ENETUNREACH:
            return QStringLiteral("网络文件夹无法访问");
        case 0:
            return QStringLiteral("原因不明");
        default:
            // The system's own words are English: the number lets a
            // technician look it up.
            return QStringLiteral("系统错误（错误号 %1）").arg(errorNumber);
    }
}

}  // namespace

QString readFailure(const QString& path, int errorNumber) {
    return readFailure(path, reason(errorNumber, Access::Read));
}

QString readFailure(const QString& path, const QString& reason) {
    return QStringLiteral("无法打开文件“%1”：%2。").arg(QDir::toNativeSeparators(path), reason);
}

QString writeFailure(const QString& path, int errorNumber) {
    return QStringLiteral("无法写入文件“%1”：%2。")
        .arg(QDir::toNativeSeparators(path), reason(errorNumber, Access::Write));
}

}  // namespace storage
