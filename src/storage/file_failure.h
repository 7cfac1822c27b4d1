// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file that cannot be read or written, told in Chinese: the file and the
// reason, from the system's error number. No reason ever reaches the user in
// the system's own (English) words.

#include <QString>

namespace storage {

// "无法打开文件“…”：文件不存在。"
QString readFailure(const QString& path, int errorNumber);

// The same with a reason of our own: "无法打开文件“…”：这是一个管道…。"
QString readFailure(const QString& path, const QString& reason);

// "无法写入文件“…”：磁盘空间不足。"
QString writeFailure(const QString& path, int errorNumber);

}  // namespace storage
