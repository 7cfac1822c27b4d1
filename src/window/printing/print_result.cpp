// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/print_result.h"

namespace window {

namespace {

QString messageOf(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::Printed:
            return {};
        case PrintOutcome::NoPrintService:
            return QStringLiteral(
                "无法连接打印服务（CUPS），无法打印。请确认系统的打印服务已经启动。");
        case PrintOutcome::NoAnswer:
            return QStringLiteral(
                "打印服务（CUPS）没有应答，无法打印。请稍后再试，或检查系统的打印服务。");
        case PrintOutcome::NoDefaultPrinter:
            return QStringLiteral(
                "没有设置默认打印机，无法打印。请先在系统中添加打印机并设为默认。");
        case PrintOutcome::PrinterMissing:
            return QStringLiteral(
                "没有名为“%1”的打印机，无法打印。请检查环境变量 PRINTER（或 "
                "LPDEST）中的打印机名称，"
                "或在系统中设置默认打印机。");
        case PrintOutcome::NotAccepting:
            return QStringLiteral(
                "默认打印机“%1”目前不接受打印任务，无法打印。"
                "请在系统的打印机设置中让它接受任务后再打印。");
        case PrintOutcome::Stopped:
            return QStringLiteral(
                "默认打印机“%1”已停止，无法打印。请在系统的打印机设置中恢复它后再打印。");
        case PrintOutcome::CannotOpen:
            return QStringLiteral("无法打开默认打印机“%1”，计算书没有打印。请检查打印机后再打印。");
        case PrintOutcome::PdfIncomplete:
            return QStringLiteral(
                "%2计算书没有送到打印机“%1”。请在临时文件夹所在的磁盘上腾出空间后再打印，"
                "或把计算书导出为 PDF。");
        case PrintOutcome::JobLost:
            return QStringLiteral(
                "打印任务没有送到默认打印机“%1”，计算书没有打印。请检查打印机后再打印。");
        case PrintOutcome::JobFailed:
            return QStringLiteral(
                "默认打印机“%1”没有完成打印任务（任务已中止或被取消），"
                "计算书没有打印出来。请检查打印机后再打印。");
        case PrintOutcome::JobStuck:
            return QStringLiteral(
                "默认打印机“%1”已停止%2，计算书还在队列中，没有打印出来。"
                "请排除打印机的故障后在系统的打印机设置中恢复它，或取消这个任务后导出为 PDF。");
        case PrintOutcome::JobPrinterGone:
            return QStringLiteral(
                "无法确认计算书是否已打印：打印机“%1”已从系统中删除，它的打印任务也随之删除。"
                "请查看打印机是否已打出计算书，需要时可导出为 PDF。");
        case PrintOutcome::JobForgotten:
            return QStringLiteral(
                "无法确认计算书是否已在打印机“%1”上打印：打印服务不再有这个任务的记录"
                "（它不保留已结束的任务，或任务已被删除）。"
                "请查看打印机是否已打出计算书，需要时可导出为 PDF。");
        case PrintOutcome::JobServerGone:
            return QStringLiteral(
                "无法确认计算书是否已在打印机“%1”上打印：打印服务（CUPS）不再应答。"
                "请查看打印服务和打印机，需要时可导出为 PDF。");
    }
    return {};
}

}  // namespace

PrintResult printResult(PrintOutcome outcome, const QString& printer, const QString& detail) {
    QString message = messageOf(outcome);
    // Every message with a detail also names the printer.
    if (message.contains(QStringLiteral("%2")))
        message = message.arg(printer, detail);
    else if (message.contains(QStringLiteral("%1")))
        message = message.arg(printer);
    return {outcome, message};
}

}  // namespace window
