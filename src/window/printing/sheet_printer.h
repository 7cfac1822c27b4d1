// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prints the calculation sheet of a survey on the system's default printer,
// or a printout on a printer chosen in the print dialog, from a thread of its
// own: the window never waits on the print system.

#include <QObject>
#include <functional>
#include <stop_token>
#include <thread>

#include "paper/pdf_export.h"
#include "printout/sheet.h"
#include "section/survey.h"
#include "window/printing/print_result.h"

namespace window {

struct PrintedSheet {
    PrintResult result;  // printed: handed to the printer
    QString printer;
    int job = 0;  // to follow with a JobWatch; 0 where it cannot be followed
};

// One print job per call; returns once the job is handed over, or a few
// seconds at most after a print system that does not answer.
PrintedSheet printSheet(const section::SectionSurvey& survey, std::stop_token stop = {});
// The same for the sheet `make` lays out (on the printing thread).
using SheetMaker = std::function<printout::Sheet()>;
PrintedSheet printSheet(const SheetMaker& make, std::stop_token stop = {});

// A printout set on the page of the printer chosen in the print dialog, with
// the pages and copies asked for there. `make` builds it on the printing thread
// and keeps what the drawing draws for as long as it lives.
using DrawingMaker = std::function<paper::PdfDrawing(const QPageLayout& page)>;
struct ChosenPrinter {
    QString name;
    QPageLayout page;
    paper::PageRange pages{};
    int copies = 1;
};
PrintedSheet printOn(const DrawingMaker& make, const ChosenPrinter& printer,
                     std::stop_token stop = {});

// printSheet on a thread; `finished` comes on the window's thread, unless this
// is destroyed first (which stops the print at its next wait).
class SheetPrint : public QObject {
    Q_OBJECT

  public:
    SheetPrint(section::SectionSurvey survey, QObject* parent = nullptr);
    SheetPrint(SheetMaker make, QObject* parent = nullptr);
    SheetPrint(DrawingMaker make, ChosenPrinter printer, QObject* parent = nullptr);
    ~SheetPrint() override;

  signals:
    void finished(const window::PrintedSheet& printed);

  private:
    using Work = std::function<PrintedSheet(std::stop_token)>;
    SheetPrint(Work work, QObject* parent);

    std::jthread thread_;
};

}  // namespace window
