// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's default printer and the job the program sends to it. Built on
// CUPS where the program has it (it tells a stopped or rejecting queue and a
// failed job); on Qt alone elsewhere, as on Windows or macOS.

#include <QString>

#include "window/print_result.h"

namespace window {

struct DefaultPrinter {
    QString name;                                  // empty when there is none
    PrintOutcome problem = PrintOutcome::Printed;  // Printed when it takes jobs
};

DefaultPrinter defaultPrinter();

// Taken just before a job is sent: what the printer's queue holds then.
int jobMark(const QString& printer);

// After the job was handed over: Printed while it prints or has printed,
// JobLost or JobFailed otherwise.
PrintOutcome jobOutcome(const QString& printer, int markBefore);

}  // namespace window
