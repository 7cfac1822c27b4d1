// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/sheet_printer.h"

#include <QCursor>
#include <QGuiApplication>
#include <exception>

#include "printout/dayang.h"
#include "printout/page_frame.h"
#include "window/printing/print_system.h"

namespace window {

PrintedSheet printSheet(const section::SectionSurvey& survey, const section::ProjectInfo& project,
                        std::stop_token stop) {
    // Ask the print system first: a plain QPrinter picks any queue when none
    // is the default, and cannot tell a stopped or rejecting queue.
    const DefaultPrinter target = defaultPrinter(stop);
    if (target.problem != PrintOutcome::Printed)
        return {printResult(target.problem, target.name), target.name};
    const SentSheet sent =
        sendSheet(printout::framedSheet(printout::dayang(survey), project), target, stop);
    return {printResult(sent.outcome, target.name, sent.failure), target.name, sent.job};
}

SheetPrint::SheetPrint(section::SectionSurvey survey, section::ProjectInfo project, QObject* parent)
    : QObject(parent) {
    // The window stays usable; the cursor says something is under way.
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    thread_ = std::jthread(
        [this, survey = std::move(survey), project = std::move(project)](std::stop_token stop) {
            PrintedSheet printed;
            try {
                printed = printSheet(survey, project, stop);
            } catch (const std::exception&) {
                printed.result = printResult(PrintOutcome::CannotOpen);
            }
            if (stop.stop_requested()) return;
            // Dropped by Qt when this is gone by the time the window gets it.
            QMetaObject::invokeMethod(
                this, [this, printed] { emit finished(printed); }, Qt::QueuedConnection);
        });
}

SheetPrint::~SheetPrint() {
    thread_.request_stop();
    thread_.join();
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace window
