// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's printers: the default one, the state of one, sending the sheet
// to one, and what became of the job. Built on CUPS where the program has it
// (it tells a stopped or rejecting queue and follows the job by its id); on
// Qt alone elsewhere, as on Windows or macOS.
//
// Each call asks the print system and may take a few seconds when it does not
// answer (never longer: see cups/connection.h); the window calls them from a
// thread of its own (SheetPrint, JobWatch), passing the thread's stop token.

#include <QPageLayout>
#include <QString>
#include <stop_token>

#include "window/printing/print_result.h"

namespace paper {
struct PdfDrawing;
}

namespace window {

struct DefaultPrinter {
    QString name;                                  // empty when there is none
    PrintOutcome problem = PrintOutcome::Printed;  // Printed when it takes jobs
    QPageLayout page;                              // its default paper; invalid when unknown
};

DefaultPrinter defaultPrinter(std::stop_token stop = {});

// Printed when the printer named takes jobs, else what is wrong with it.
PrintOutcome printerProblem(const QString& printer);

struct SentSheet {
    PrintOutcome outcome = PrintOutcome::Printed;  // Printed: handed to the printer
    int job = 0;        // the job's id to follow; 0 where it cannot be followed
    QString failure{};  // why the file for the printer could not be written (PdfIncomplete)
};

// Hands the drawing's pages over to `printer` as one job of `copies` copies.
SentSheet sendDrawing(const paper::PdfDrawing& drawing, const QString& printer, int copies = 1,
                      std::stop_token stop = {});

enum class JobProgress {
    Waiting,
    Done,         // the print system says it has printed
    Failed,       // aborted or cancelled
    Stuck,        // its queue has stopped
    Forgotten,    // the print system no longer knows it
    PrinterGone,  // nor its printer
    Unreachable,  // the print system cannot be asked now
};

struct JobNews {
    JobProgress progress = JobProgress::Waiting;
    QString printerMessage;  // the printer's own words when Stuck
};

// What became of job `job` on `printer`.
JobNews jobProgress(const QString& printer, int job, std::stop_token stop = {});

}  // namespace window
