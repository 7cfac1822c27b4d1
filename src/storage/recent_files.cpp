// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace storage {

namespace {

constexpr const char* kKey = "recentFiles";

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmorin"),
                     QStringLiteral("velmorin"));
}

void store(const QStringList& files) {
    settings().setValue(QString::fromUtf8(kKey), files);
}

}  // namespace

QStringList recentFiles() {
    return settings().value(QString::fromUtf8(kKey)).toStringList();
}

void rememberFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) files.removeLast();
    store(files);
}

void forgetFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    store(files);
}

}  // namespace storage
