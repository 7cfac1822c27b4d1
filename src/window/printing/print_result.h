// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a print went, with a message for the user when it did not.

#include <QString>

namespace window {

enum class PrintOutcome {
    Printed,           // handed to the printer
    NoPrintService,    // nothing answers for CUPS
    NoAnswer,          // CUPS takes the connection but does not answer
    NoDefaultPrinter,  // no printer is the default
    PrinterMissing,    // the printer asked for does not exist
    NotAccepting,      // the default printer rejects jobs
    Stopped,           // the default printer is stopped
    CannotOpen,        // the printer could not start or finish the job
    PdfIncomplete,     // the sheet's PDF for the printer could not be written whole
    JobLost,           // the job never reached the queue
    JobFailed,         // the queue aborted or cancelled the job
    JobStuck,          // the queue stopped with the job in it
    // What became of the job is unknown, because:
    JobPrinterGone,  // the printer was deleted, and its jobs with it
    JobForgotten,    // the print service no longer knows the job
    JobServerGone,   // the print service stopped answering
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    QString message;  // empty when printed (for a job: when CUPS says it has printed)

    bool printed() const { return outcome == PrintOutcome::Printed; }
};

// The Chinese message of an outcome; `printer` names the printer concerned,
// `detail` is the printer's own words (JobStuck) or the write failure
// (PdfIncomplete).
PrintResult printResult(PrintOutcome outcome, const QString& printer = {},
                        const QString& detail = {});

}  // namespace window
