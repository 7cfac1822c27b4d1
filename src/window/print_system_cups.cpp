// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include "cups/print_queue.h"
#include "window/print_system.h"
#include "window/sheet_renderer.h"

namespace window {

namespace {

PrintOutcome outcomeOf(cups::QueueState state) {
    switch (state) {
        case cups::QueueState::Ready:
            return PrintOutcome::Printed;
        case cups::QueueState::NoServer:
            return PrintOutcome::NoPrintService;
        case cups::QueueState::NoDefault:
            return PrintOutcome::NoDefaultPrinter;
        case cups::QueueState::Missing:
            return PrintOutcome::PrinterMissing;
        case cups::QueueState::NotAccepting:
            return PrintOutcome::NotAccepting;
        case cups::QueueState::Stopped:
            return PrintOutcome::Stopped;
    }
    return PrintOutcome::Printed;
}

}  // namespace

DefaultPrinter defaultPrinter() {
    const cups::DefaultQueue queue = cups::defaultQueue();
    return {QString::fromStdString(queue.name), outcomeOf(queue.state)};
}

PrintOutcome printerProblem(const QString& printer) {
    return outcomeOf(cups::queueState(printer.toStdString()));
}

// As Qt's own CUPS printing does, the sheet is set as PDF on the printer's
// page and handed to CUPS; done here, the job's id comes back to follow it.
SentSheet sendSheet(const printout::Sheet& sheet, const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull()) return {PrintOutcome::CannotOpen};
    QTemporaryFile pdf(QDir(QDir::tempPath()).filePath(QStringLiteral("velmorin-XXXXXX.pdf")));
    if (!pdf.open()) return {PrintOutcome::CannotOpen};
    pdf.close();
    QPrinter page(info, QPrinter::HighResolution);
    page.setDocName(QStringLiteral("方量计算"));
    page.setOutputFormat(QPrinter::PdfFormat);  // keeps the printer's page and margins
    page.setOutputFileName(pdf.fileName());
    if (!renderSheet(sheet, page)) return {PrintOutcome::CannotOpen};
    const cups::Submission job =
        cups::submitFile(printer.toStdString(), pdf.fileName().toStdString(), "方量计算");
    if (job.job == 0) return {PrintOutcome::JobLost};
    return {PrintOutcome::Printed, job.job};
}

JobProgress jobProgress(const QString& printer, int job) {
    switch (cups::jobState(printer.toStdString(), job)) {
        case cups::JobState::Waiting:
            return JobProgress::Waiting;
        case cups::JobState::Done:
            return JobProgress::Done;
        case cups::JobState::Failed:
            return JobProgress::Failed;
    }
    return JobProgress::Done;
}

}  // namespace window
