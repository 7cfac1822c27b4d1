// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a print went, with a message for the user when it did not.

#include <QString>

namespace window {

enum class PrintOutcome {
    Printed,           // handed to the printer
    NoPrintService,    // CUPS does not answer
    NoDefaultPrinter,  // no printer is the default
    PrinterMissing,    // the printer asked for does not exist
    NotAccepting,      // the default printer rejects jobs
    Stopped,           // the default printer is stopped
    CannotOpen,        // the printer could not start or finish the job
    JobLost,           // the job never reached the queue
    JobFailed,         // the queue aborted or cancelled the job
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    QString message;  // empty when printed

    bool printed() const { return outcome == PrintOutcome::Printed; }
};

// The Chinese message of an outcome; `printer` names the printer concerned.
PrintResult printResult(PrintOutcome outcome, const QString& printer = {});

}  // namespace window
