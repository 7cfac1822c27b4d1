// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups/print_queue.h"
#include "window/default_printer.h"

namespace window {

DefaultPrinter defaultPrinter() {
    const cups::DefaultQueue queue = cups::defaultQueue();
    DefaultPrinter printer{QString::fromStdString(queue.name), PrintOutcome::Printed};
    switch (queue.state) {
        case cups::QueueState::Ready:
            break;
        case cups::QueueState::NoServer:
            printer.problem = PrintOutcome::NoPrintService;
            break;
        case cups::QueueState::NoDefault:
            printer.problem = PrintOutcome::NoDefaultPrinter;
            break;
        case cups::QueueState::Missing:
            printer.problem = PrintOutcome::PrinterMissing;
            break;
        case cups::QueueState::NotAccepting:
            printer.problem = PrintOutcome::NotAccepting;
            break;
        case cups::QueueState::Stopped:
            printer.problem = PrintOutcome::Stopped;
            break;
    }
    return printer;
}

int jobMark(const QString& printer) {
    return cups::newestJob(printer.toStdString());
}

PrintOutcome jobOutcome(const QString& printer, int markBefore) {
    switch (cups::watchJob(printer.toStdString(), markBefore)) {
        case cups::JobState::Going:
            return PrintOutcome::Printed;
        case cups::JobState::Lost:
            return PrintOutcome::JobLost;
        case cups::JobState::Failed:
            return PrintOutcome::JobFailed;
    }
    return PrintOutcome::Printed;
}

}  // namespace window
