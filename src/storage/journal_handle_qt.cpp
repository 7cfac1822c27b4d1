// SPDX-License-Identifier: GPL-3.0-or-later
// Where there is no POSIX: the journal through QFile, held by a lock file
// beside it (Qt takes over the lock of an instance that has died). Qt flushes
// to the system but has no sync of an open file, so a power cut may lose the
// last answers here; a killed instance loses nothing.

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>

#include "storage/journal_handle.h"

namespace storage {

namespace {

int errorOf(const QFileDevice& file) {
    switch (file.error()) {
        case QFileDevice::NoError:
            return 0;
        case QFileDevice::ResourceError:
            return ENOSPC;
        case QFileDevice::PermissionsError:
            return EACCES;
        default:
            return EIO;
    }
}

QString lockName(const QString& path) {
    return path + QStringLiteral(".lock");
}

}  // namespace

struct JournalHandle::Held {
    std::unique_ptr<QFile> file;
    std::unique_ptr<QLockFile> lock;
};

JournalHandle::JournalHandle() : held_(std::make_unique<Held>()) {}

JournalHandle::~JournalHandle() {
    close();
}

void JournalHandle::close() {
    held_->file.reset();
    held_->lock.reset();  // unlocks and removes the lock file
}

bool JournalHandle::isOpen() const {
    return held_->file != nullptr;
}

bool JournalHandle::isAt(const QString& path) const {
    return isOpen() && held_->file->fileName() == path && QFileInfo::exists(path);
}

JournalHandle::Take JournalHandle::take(const QString& path) {
    close();
    const QFileInfo info(path);
    if (!info.exists()) return {Taken::Passed};
    if (!info.isFile()) return {Taken::NotRegular};
    auto lock = std::make_unique<QLockFile>(lockName(path));
    if (!lock->tryLock(0)) return {Taken::Passed};
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadWrite)) return {Taken::Failed, errorOf(*file)};
    held_->file = std::move(file);
    held_->lock = std::move(lock);
    return {Taken::Held};
}

int JournalHandle::create(const QString& temporary, const std::string& header,
                          const QString& path) {
    close();
    auto lock = std::make_unique<QLockFile>(lockName(path));
    if (!lock->tryLock(0)) return EEXIST;
    auto file = std::make_unique<QFile>(temporary);
    if (!file->open(QIODevice::ReadWrite | QIODevice::NewOnly)) return errorOf(*file);
    const bool made = file->write(header.data(), qint64(header.size())) == qint64(header.size()) &&
                      file->flush() && file->rename(path) &&
                      file->open(QIODevice::ReadWrite);  // rename closes it
    if (!made) {
        const int error = errorOf(*file) ? errorOf(*file) : ENOSPC;
        file->remove();
        return error;
    }
    held_->file = std::move(file);
    held_->lock = std::move(lock);
    return 0;
}

int JournalHandle::readAll(std::string& bytes, std::size_t largest, bool& tooLarge) {
    QFile& file = *held_->file;
    tooLarge = std::size_t(file.size()) > largest;
    if (tooLarge) return 0;
    if (!file.seek(0)) return errorOf(file);
    const QByteArray read = file.readAll();
    if (file.error() != QFileDevice::NoError) return errorOf(file);
    bytes.assign(read.constData(), std::size_t(read.size()));
    return 0;
}

int JournalHandle::cutTo(std::size_t length) {
    QFile& file = *held_->file;
    return file.resize(qint64(length)) && file.flush() ? 0 : errorOf(file);
}

int JournalHandle::writeAt(std::size_t offset, const std::string& bytes) {
    QFile& file = *held_->file;
    if (!file.seek(qint64(offset))) return errorOf(file);
    const bool whole = file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    if (!whole || !file.flush()) return errorOf(file) ? errorOf(file) : ENOSPC;
    return 0;
}

int JournalHandle::moveTo(const QString& from, const QString& to) {
    // Renamed closed, some systems refusing to rename an open file; still locked meanwhile.
    held_->file.reset();
    QFile file(from);
    const int error = file.rename(to) ? 0 : errorOf(file);
    close();
    return error;
}

int JournalHandle::remove(const QString& path) {
    held_->file.reset();
    QFile file(path);
    const int error = !file.exists() || file.remove() ? 0 : errorOf(file);
    close();
    return error;
}

}  // namespace storage
