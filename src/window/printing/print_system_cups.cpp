// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPageLayout>
#include <QSizeF>
#include <algorithm>

#include "cups/print_queue.h"
#include "paper/pdf_export.h"
#include "runtime/titles.h"
#include "window/printing/print_system.h"

namespace window {

namespace {

PrintOutcome outcomeOf(cups::QueueState state) {
    switch (state) {
        case cups::QueueState::Ready:
            return PrintOutcome::Printed;
        case cups::QueueState::NoServer:
            return PrintOutcome::NoPrintService;
        case cups::QueueState::NoAnswer:
            return PrintOutcome::NoAnswer;
        case cups::QueueState::NoDefault:
            return PrintOutcome::NoDefaultPrinter;
        case cups::QueueState::Missing:
            return PrintOutcome::PrinterMissing;
        case cups::QueueState::NotAccepting:
            return PrintOutcome::NotAccepting;
        case cups::QueueState::Stopped:
            return PrintOutcome::Stopped;
    }
    return PrintOutcome::NoAnswer;
}

// The queue's default paper as CUPS gives it (hundredths of a millimetre),
// A4 when the queue does not say. The margins are those of the exported PDF
// (Qt's 10 points), wider where the printer cannot print so near the edge:
// the pages break as in the export.
QPageLayout pageOf(const cups::Paper& paper) {
    auto margin = [](int edge) { return std::max(10.0, edge / 100.0 / 25.4 * 72); };
    const QMarginsF margins(margin(paper.left), margin(paper.top), margin(paper.right),
                            margin(paper.bottom));
    if (paper.width <= 0 || paper.length <= 0)
        return {QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Point};
    const QPageSize size(QSizeF(paper.width / 100.0, paper.length / 100.0), QPageSize::Millimeter,
                         {}, QPageSize::FuzzyMatch);
    return {size, QPageLayout::Portrait, margins, QPageLayout::Point};
}

// The paper the drawing was laid out on, by the name CUPS knows it ("A3");
// none for a size of no name (the queue's own paper, measured).
std::string paperOf(const QPageLayout& layout) {
    const bool named = layout.isValid() && layout.pageSize().id() != QPageSize::Custom;
    return named ? layout.pageSize().key().toStdString() : std::string();
}

}  // namespace

DefaultPrinter defaultPrinter(std::stop_token stop) {
    const cups::DefaultQueue queue = cups::defaultQueue(std::move(stop));
    return {QString::fromStdString(queue.name), outcomeOf(queue.state), pageOf(queue.paper)};
}

PrintOutcome printerProblem(const QString& printer) {
    return outcomeOf(cups::queueState(printer.toStdString()));
}

// As Qt's own CUPS printing does, the drawing is set as PDF and handed to
// CUPS; done here, the job's id comes back to follow it. Qt's printer classes
// are not used: they ask CUPS on their own, without a time limit.
SentSheet sendDrawing(const paper::PdfDrawing& drawing, const QString& printer, int copies,
                      std::stop_token stop) {
    const paper::TemporaryPdf pdf(drawing);
    if (!pdf.error().isEmpty()) return {PrintOutcome::PdfIncomplete, 0, pdf.error()};
    const cups::Submission job = cups::submitFile(printer.toStdString(), pdf.path().toStdString(),
                                                  drawing.title.toStdString(), copies,
                                                  paperOf(drawing.layout), std::move(stop));
    if (job.job != 0) return {PrintOutcome::Printed, job.job, {}};
    if (job.problem != cups::QueueState::Ready) return {outcomeOf(job.problem)};
    return {PrintOutcome::JobLost};
}

JobNews jobProgress(const QString& printer, int job, std::stop_token stop) {
    const cups::JobReport report = cups::jobState(printer.toStdString(), job, std::move(stop));
    switch (report.state) {
        case cups::JobState::Waiting:
            return {JobProgress::Waiting, {}};
        case cups::JobState::Done:
            return {JobProgress::Done, {}};
        case cups::JobState::Failed:
            return {JobProgress::Failed, {}};
        case cups::JobState::Stuck:
            return {JobProgress::Stuck, QString::fromStdString(report.printerMessage)};
        case cups::JobState::Forgotten:
            return {JobProgress::Forgotten, {}};
        case cups::JobState::QueueGone:
            return {JobProgress::PrinterGone, {}};
        case cups::JobState::NoServer:
        case cups::JobState::NoAnswer:
            break;
    }
    return {JobProgress::Unreachable, {}};
}

}  // namespace window
