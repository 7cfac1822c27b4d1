// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/sheet_printer.h"

#include <QCursor>
#include <QGuiApplication>
#include <exception>

#include "printout/dayang.h"
#include "window/printing/print_system.h"

namespace window {

PrintedSheet printSheet(const section::SectionSurvey& survey, std::stop_token stop) {
    return printSheet([&survey] { return printout::dayang(survey); }, stop);
}

PrintedSheet printSheet(const SheetMaker& make, std::stop_token stop) {
    // Ask the print system first: a plain QPrinter picks any queue when none
    // is the default, and cannot tell a stopped or rejecting queue.
    const DefaultPrinter target = defaultPrinter(stop);
    if (target.problem != PrintOutcome::Printed)
        return {printResult(target.problem, target.name), target.name};
    const printout::Sheet sheet = make();
    const SentSheet sent =
        sendDrawing(paper::sheetDrawing(sheet, target.page), target.name, 1, stop);
    return {printResult(sent.outcome, target.name, sent.failure), target.name, sent.job};
}

PrintedSheet printOn(const DrawingMaker& make, const ChosenPrinter& printer, std::stop_token stop) {
    paper::PdfDrawing drawing = make(printer.page);
    drawing.pages = printer.pages;
    const SentSheet sent = sendDrawing(drawing, printer.name, printer.copies, stop);
    return {printResult(sent.outcome, printer.name, sent.failure), printer.name, sent.job};
}

SheetPrint::SheetPrint(section::SectionSurvey survey, QObject* parent)
    : SheetPrint([survey = std::move(survey)] { return printout::dayang(survey); }, parent) {}

SheetPrint::SheetPrint(SheetMaker make, QObject* parent)
    : SheetPrint(Work([make = std::move(make)](std::stop_token stop) {
                     return printSheet(make, std::move(stop));
                 }),
                 parent) {}

SheetPrint::SheetPrint(DrawingMaker make, ChosenPrinter printer, QObject* parent)
    : SheetPrint(Work([make = std::move(make), printer = std::move(printer)](std::stop_token stop) {
                     return printOn(make, printer, std::move(stop));
                 }),
                 parent) {}

SheetPrint::SheetPrint(Work work, QObject* parent) : QObject(parent) {
    // The window stays usable; the cursor says something is under way.
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    thread_ = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        PrintedSheet printed;
        try {
            printed = work(stop);
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
