// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/journal_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <string>

#include "storage/data_folder.h"
#include "storage/file_failure.h"

namespace storage {

namespace {

constexpr int kBackupsKept = 5;

// Far beyond any survey typed by hand; a larger "journal" is something else,
// and is not read into memory.
constexpr std::size_t kLargestJournal = std::size_t(256) << 20;

QString stamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

}  // namespace

Journal& instanceJournal() {
    static Journal journal;
    return journal;
}

Journal::~Journal() {
    release();
}

void Journal::release() {
    file_.close();
    path_.clear();
}

// Removed or replaced behind this instance's back (a test emptying the data
// folder, a user moving files): not this instance's journal any more.
bool Journal::stillInPlace() const {
    return file_.isAt(path_);
}

Journal::Found Journal::unfinished() {
    if (stillInPlace()) return {path_, readHeld()};
    release();
    const QDir folder(dataFolder());
    // A FIFO, a device or a dangling link named like a journal is listed too,
    // to be moved aside.
    const QStringList names = folder.entryList(
        {QStringLiteral("calculation.journal"), QStringLiteral("calculation-[0-9]*.journal")},
        QDir::Files | QDir::System, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (passedOver_.contains(path)) continue;
        const JournalHandle::Take take = file_.take(path);
        switch (take.taken) {
            case JournalHandle::Taken::Passed:
                continue;
            case JournalHandle::Taken::Failed:
                path_ = path;
                return {path, {{}, readFailure(path, take.error).toStdString()}};
            case JournalHandle::Taken::NotRegular:
                path_ = path;
                return {path, {{}, "不是普通文件"}};
            case JournalHandle::Taken::Held:
                break;
        }
        path_ = path;
        survey_file::JournalRead read = readHeld();
        if (!read.fault.empty() || !read.entries.empty()) return {path, read};
        remove();  // nothing to resume
    }
    return {};
}

survey_file::JournalRead Journal::readHeld() {
    std::string bytes;
    bool tooLarge = false;
    if (const int error = file_.readAll(bytes, kLargestJournal, tooLarge))
        return {{}, readFailure(path_, error).toStdString()};
    if (tooLarge) return {{}, "文件大于 256 MB"};
    survey_file::JournalRead read = survey_file::readJournal(bytes);
    length_ = read.wholeLength;
    return read;
}

QString Journal::resume() {
    stopped_ = false;
    // A line cut by a kill or a power cut (or NULs padding it) would
    // otherwise run into the next answer and damage both.
    if (const int error = file_.cutTo(length_)) return stop(error);
    return {};
}

void Journal::startNew() {
    release();
    stopped_ = false;
    length_ = 0;
}

QString Journal::stop(int error) {
    stopped_ = true;
    if (file_.isOpen()) file_.cutTo(length_);
    return writeFailure(path_.isEmpty() ? dataFolder() : path_, error ? error : EIO) +
           QStringLiteral("本次计算从这里起输入的数据不再记录。");
}

// Made under a name no other instance looks at, locked, and only then put in
// place: no instance ever sees a journal that nobody holds yet.
QString Journal::create() {
    QDir().mkpath(dataFolder());
    const QString name = QStringLiteral("calculation-%1-%2.journal")
                             .arg(stamp())
                             .arg(QCoreApplication::applicationPid());
    const QDir folder(dataFolder());
    const QString path = folder.filePath(name);
    const QString temporary = folder.filePath(QLatin1Char('.') + name + QStringLiteral(".new"));
    path_ = path;
    if (const int error = file_.create(temporary, survey_file::journalHeader(), path)) {
        const QString failure = stop(error);
        release();
        return failure;
    }
    length_ = survey_file::journalHeader().size();
    return {};
}

QString Journal::append(const survey_file::JournalEntry& entry) {
    if (stopped_) return {};
    if (!file_.isOpen()) {
        if (QString failure = create(); !failure.isEmpty()) return failure;
    }
    const std::string line = survey_file::journalLine(entry);
    // On the disk before the next prompt: a kill or a power cut loses at most
    // the answer being typed. Written at the end of the whole lines, so a
    // failed write leaves nothing for a later one to land after.
    if (const int error = file_.writeAt(length_, line)) return stop(error);
    length_ += line.size();
    return {};
}

QString Journal::remove() {
    const int error = file_.remove(path_);
    const QString failure = error ? writeFailure(path_, error) : QString();
    release();
    return failure;
}

JournalMove Journal::moveTo(const QString& kind) {
    const QDir folder(dataFolder());
    const QString moved =
        folder.filePath(QStringLiteral("calculation-%1-%2.journal").arg(kind, stamp()));
    JournalMove move{moved, {}};
    // Renamed while still locked: no other instance takes it half-way.
    if (const int error = file_.moveTo(path_, moved)) move.failure = writeFailure(moved, error);
    release();
    // The newest few of each kind stay.
    const QStringList older =
        folder.entryList({QStringLiteral("calculation-%1-*.journal").arg(kind)},
                         QDir::Files | QDir::System, QDir::Name | QDir::Reversed);
    for (qsizetype k = kBackupsKept; k < older.size(); ++k)
        QFile::remove(folder.filePath(older[k]));
    return move;
}

JournalMove Journal::keepAsBackup() {
    return moveTo(QStringLiteral("backup"));
}

JournalMove Journal::moveAside() {
    const QString from = path_;
    JournalMove move = moveTo(QStringLiteral("damaged"));
    if (!move.failure.isEmpty()) passedOver_ << from;
    return move;
}

}  // namespace storage
