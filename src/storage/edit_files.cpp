// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/edit_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "storage/data_folder.h"

namespace storage {

namespace {

const QString kStem = QStringLiteral("未保存的修改");

bool present(const EditFiles& files) {
    return QFileInfo::exists(files.copy()) || QFileInfo::exists(files.steps());
}

}  // namespace

bool EditFiles::isOwn() const {
    return stem == ownEditFiles().stem;
}

const EditFiles& ownEditFiles() {
    static const EditFiles own = [] {
        const QDir folder(dataFolder());
        folder.mkpath(QStringLiteral("."));
        // Unmade, the copy cannot be written either, which is told then.
        const EditFiles plain{folder.filePath(kStem)};
        FolderLock first(plain.lock());
        if (first.state() != FolderLock::State::Taken) {
            first.keep();
            return plain;
        }
        const EditFiles files{folder.filePath(
            QStringLiteral("%1-%2-%3")
                .arg(kStem,
                     QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
                .arg(QCoreApplication::applicationPid()))};
        FolderLock(files.lock()).keep();
        return files;
    }();
    return own;
}

EditFiles editFilesToOffer() {
    const EditFiles& own = ownEditFiles();
    if (present(own)) return own;
    // Set-aside files (未保存的修改-…（损坏 …）.csv) never match.
    static const QRegularExpression tagged(
        QStringLiteral("^%1-\\d{8}-\\d{6}-\\d{3}-\\d+\\.(csv|steps|lock)$").arg(kStem));
    const QDir folder(dataFolder());
    const QStringList names = folder.entryList(
        {kStem + QStringLiteral("-*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        if (!tagged.match(name).hasMatch()) continue;
        const EditFiles files{folder.filePath(QFileInfo(name).completeBaseName())};
        if (files.isOwn()) continue;
        FolderLock lock(files.lock());
        if (lock.state() != FolderLock::State::Held) continue;  // its instance runs
        if (!present(files)) {
            QFile::remove(files.lock());  // left by an instance that had nothing to keep
            continue;
        }
        lock.keep();
        return files;
    }
    return {};
}

}  // namespace storage
