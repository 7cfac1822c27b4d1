// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/data_folder_messages.h"

#include <QDir>
#include <QMessageBox>

#include "storage/data_folder.h"
#include "window/platform/title.h"

namespace window {

namespace {

bool warnedThisSession = false;

}  // namespace

void warnDataFolderOnce(QWidget* parent, const QString& failure) {
    if (warnedThisSession) return;
    warnedThisSession = true;
    QMessageBox::warning(
        parent, applicationTitle(),
        failure + QStringLiteral("\n\n计算照常进行，但输入的数据和完成的计算不能保存在“%1”中："
                                 "程序中断后无法接着输入，也无法打开最近一次计算。"
                                 "本次运行中不再提示。")
                      .arg(QDir::toNativeSeparators(storage::dataFolder())));
}

void tellJournalStopped(QWidget* parent, const QString& failure) {
    warnedThisSession = true;
    QMessageBox::warning(parent, applicationTitle(),
                         failure + QStringLiteral("\n\n计算照常进行。程序中断后，"
                                                  "只能接着输入到记录下来的地方。"));
}

void tellLastCalculationTaken(QWidget* parent) {
    static bool told = false;
    if (told) return;
    told = true;
    QMessageBox::information(
        parent, applicationTitle(),
        QStringLiteral("另一个正在运行的 %1 使用同一个数据文件夹，“最近一次计算”由它保存。"
                       "为了不覆盖它，本程序完成的计算不保存为最近一次计算，"
                       "但输入的数据仍然记录着；需要保留这次的计算时，"
                       "请用“文件”菜单中的“保存测量数据”。本次运行中不再提示。")
            .arg(applicationTitle()));
}

void tellNotKept(QWidget* parent, const storage::KeptCalculation& kept) {
    if (kept.taken) tellLastCalculationTaken(parent);
    if (!kept.failure.isEmpty()) warnDataFolderOnce(parent, kept.failure);
}

}  // namespace window
