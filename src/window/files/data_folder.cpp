// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/data_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "survey_file/survey_file.h"
#include "window/files/safe_write.h"
#include "window/form/layout.h"

namespace window {

namespace {

bool warnedThisSession = false;

// Whether this instance may write the last calculation: it holds the lock of
// the file, taken at its first save and kept while it runs. A folder where
// the lock cannot even be made gets the write tried, and its failure told.
bool holdsLastCalculation() {
    static int lock = -1;
    if (lock >= 0) return true;
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("last-calculation.lock"));
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lock = fd;
    return true;
}

void tellLastCalculationTaken(QWidget* parent) {
    static bool told = false;
    if (told) return;
    told = true;
    QMessageBox::information(
        parent, QString::fromUtf8(formCaption),
        QStringLiteral("另一个正在运行的 Velmorin 使用同一个数据文件夹，“最近一次计算”由它保存。"
                       "为了不覆盖它，本程序完成的计算不保存为最近一次计算，"
                       "但输入的数据仍然记录着；需要保留这次的计算时，"
                       "请用“文件”菜单中的“保存测量数据”。本次运行中不再提示。"));
}

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

void tellJournalStopped(QWidget* parent, const QString& failure) {
    warnedThisSession = true;
    QMessageBox::warning(parent, QString::fromUtf8(formCaption),
                         failure + QStringLiteral("\n\n计算照常进行。程序中断后，"
                                                  "只能接着输入到记录下来的地方。"));
}

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString lastCalculationPath() {
    return QDir(dataFolder()).filePath(QStringLiteral("最近一次计算.csv"));
}

bool mayKeepLastCalculation(QWidget* parent) {
    QDir().mkpath(dataFolder());
    if (holdsLastCalculation()) return true;
    tellLastCalculationTaken(parent);
    return false;
}

bool keepLastCalculation(const section::SectionSurvey& survey, QWidget* parent) {
    if (!mayKeepLastCalculation(parent)) return false;
    const QString error = saveLastCalculation(survey, lastCalculationPath());
    if (!error.isEmpty()) warnDataFolderOnce(parent, error);
    return error.isEmpty();
}

QString saveLastCalculation(const section::SectionSurvey& survey, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeSurvey(survey)));
}

}  // namespace window
