// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's printers: the default one, the state of one, sending the sheet
// to one, and what became of the job. Built on CUPS where the program has it
// (it tells a stopped or rejecting queue and follows the job by its id); on
// Qt alone elsewhere, as on Windows or macOS.

#include <QString>

#include "window/print_result.h"

namespace printout {
struct Sheet;
}

namespace window {

struct DefaultPrinter {
    QString name;                                  // empty when there is none
    PrintOutcome problem = PrintOutcome::Printed;  // Printed when it takes jobs
};

DefaultPrinter defaultPrinter();

// Printed when the printer named takes jobs, else what is wrong with it.
PrintOutcome printerProblem(const QString& printer);

struct SentSheet {
    PrintOutcome outcome = PrintOutcome::Printed;  // Printed: handed to the printer
    int job = 0;  // the job's id to follow; 0 where it cannot be followed
};

// Sets the sheet for `printer` and hands it over as one job.
SentSheet sendSheet(const printout::Sheet& sheet, const QString& printer);

enum class JobProgress { Waiting, Done, Failed };

// What became of job `job` on `printer`; asks the print system, so it may
// take a moment (the job watch asks from a thread of its own).
JobProgress jobProgress(const QString& printer, int job);

}  // namespace window
