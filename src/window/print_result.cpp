// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/print_result.h"

namespace window {

namespace {

QString messageOf(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::Printed:
            return {};
        case PrintOutcome::NoPrintService:
            return QStringLiteral(
                "无法连接打印服务（CUPS），无法打印。请确认系统的打印服务已经启动。");
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
        case PrintOutcome::JobLost:
            return QStringLiteral(
                "打印任务没有送到默认打印机“%1”，计算书没有打印。请检查打印机后再打印。");
        case PrintOutcome::JobFailed:
            return QStringLiteral(
                "默认打印机“%1”没有完成打印任务（任务已中止或被取消），"
                "计算书没有打印出来。请检查打印机后再打印。");
    }
    return {};
}

}  // namespace

PrintResult printResult(PrintOutcome outcome, const QString& printer) {
    QString message = messageOf(outcome);
    if (message.contains(QStringLiteral("%1"))) message = message.arg(printer);
    return {outcome, message};
}

}  // namespace window
