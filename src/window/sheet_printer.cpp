#include "window/sheet_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "printout/dayang.h"
#include "window/painter_printer.h"
#include "window/print_queue.h"

namespace window {

namespace {

QString cannotOpen(const std::string& queue) {
    return QStringLiteral("无法打开默认打印机“%1”，计算书没有打印。请检查打印机后再打印。")
        .arg(QString::fromStdString(queue));
}

}  // namespace

QString printSheet(const section::SectionSurvey& survey) {
    // Ask CUPS first: a plain QPrinter picks any queue when none is the
    // default, and cannot tell a stopped or rejecting queue.
    const DefaultQueue queue = defaultQueue();
    if (!queue.problem.isEmpty()) return queue.problem;
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queue.name));
    if (info.isNull()) return cannotOpen(queue.name);

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("方量计算"));
    const int previousJob = newestJob(queue.name);
    PainterPrinter device(printer);
    if (!device.begin()) return cannotOpen(queue.name);
    printout::dayang(device, survey);
    if (!device.handedOver()) return cannotOpen(queue.name);
    return jobProblem(queue.name, previousJob);
}

}  // namespace window
