// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/data_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <cerrno>

#include "survey_file/survey_file.h"
#include "window/file_failure.h"
#include "window/layout.h"
#include "window/safe_write.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace window {

namespace {

constexpr int kBackupsKept = 5;

bool warnedThisSession = false;

}  // namespace

void warnDataFolderOnce(QWidget* parent, const QString& failure) {
    if (warnedThisSession) return;
    warnedThisSession = true;
    QMessageBox::warning(
        parent, QString::fromUtf8(formCaption),
        failure + QStringLiteral("\n\n计算照常进行，但输入的数据和完成的计算不能保存在“%1”中："
                                 "程序中断后无法接着输入，也无法打开最近一次计算。"
                                 "本次运行中不再提示。")
                      .arg(QDir::toNativeSeparators(dataFolder())));
}

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString lastCalculationPath() {
    return QDir(dataFolder()).filePath(QStringLiteral("最近一次计算.csv"));
}

void keepLastCalculation(const section::SectionSurvey& survey, QWidget* parent) {
    const QString error = saveLastCalculation(survey, lastCalculationPath());
    if (!error.isEmpty()) warnDataFolderOnce(parent, error);
}

QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeSurvey(survey)));
}

QString Journal::path() {
    return QDir(dataFolder()).filePath(QStringLiteral("calculation.journal"));
}

Journal::~Journal() {
    close();
}

survey_file::JournalRead Journal::read() const {
    QFile file(path());
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString().toStdString()};
    const QByteArray bytes = file.readAll();
    return survey_file::readJournal(std::string_view(bytes.constData(), bytes.size()));
}

bool Journal::open() {
    if (fd_ >= 0) return true;
    QDir().mkpath(dataFolder());
    const QByteArray name = QFile::encodeName(path());
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (fresh_ ? O_TRUNC : O_APPEND);
    fd_ = ::open(name.constData(), flags, 0644);
    if (fd_ < 0) return false;
    if (fresh_) {
        const std::string header = survey_file::journalHeader();
        if (::write(fd_, header.data(), header.size()) != ssize_t(header.size())) {
            close();
            return false;
        }
        fresh_ = false;
    }
    return true;
}

void Journal::append(const survey_file::JournalEntry& entry) {
    errno = 0;
    const std::string line = survey_file::journalLine(entry);
    // On the disk before the next prompt: a kill or a power cut loses at most
    // the answer being typed.
    const bool written = open() && ::write(fd_, line.data(), line.size()) == ssize_t(line.size()) &&
                         ::fsync(fd_) == 0;
    if (!written) {
        const int error = errno ? errno : EIO;
        close();
        warnDataFolderOnce(parent_, writeFailure(path(), error));
    }
}

void Journal::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void Journal::clear() {
    close();
    QFile::remove(path());
}

QString Journal::moveTo(const QString& kind) {
    close();
    const QDir folder(dataFolder());
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString moved =
        folder.filePath(QStringLiteral("calculation-%1-%2.journal").arg(kind, stamp));
    QFile::rename(path(), moved);
    // The newest few of each kind stay.
    QStringList older = folder.entryList({QStringLiteral("calculation-%1-*.journal").arg(kind)},
                                         QDir::Files, QDir::Name | QDir::Reversed);
    for (int k = kBackupsKept; k < older.size(); ++k) QFile::remove(folder.filePath(older[k]));
    return moved;
}

QString Journal::keepAsBackup() {
    return moveTo(QStringLiteral("backup"));
}

QString Journal::moveAside() {
    return moveTo(QStringLiteral("damaged"));
}

}  // namespace window
