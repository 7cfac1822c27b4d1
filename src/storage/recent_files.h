// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey files opened or saved last, newest first, kept between runs in
// the user's settings (~/.config/velmorin/velmorin.conf).

#include <QStringList>

namespace storage {

inline constexpr int kRecentFiles = 8;

QStringList recentFiles();

// Puts `path` first; the list keeps kRecentFiles entries.
void rememberFile(const QString& path);

// Removes `path`, for example when it can no longer be opened.
void forgetFile(const QString& path);

}  // namespace storage
