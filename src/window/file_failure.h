// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file that cannot be read or written, told in Chinese: the file and the
// reason, from the system's error number.

#include <QString>

namespace window {

// "无法打开文件“…”：文件不存在。"
QString readFailure(const QString& path, int errorNumber);

// "无法写入文件“…”：磁盘空间不足。"
QString writeFailure(const QString& path, int errorNumber);

}  // namespace window
