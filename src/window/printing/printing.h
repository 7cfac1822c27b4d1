// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every way the calculation sheet goes out: the default printer (from a
// thread, its job followed until it ends), the print dialog, the preview, the
// PDF export, and the message when it cannot be printed, which offers the PDF
// instead; and the 土方数量表 and the other tables through the print dialog, the
// preview and a PDF.
// Each call takes the document whose survey, of either kind, it prints with
// its 工程信息, and keeps nothing of it.

#include <QObject>
#include <QString>
#include <chrono>

class QPrinter;
class QWidget;

#include "window/printing/sheet_printer.h"

namespace document {
class SurveyDocument;
}

namespace paper {
struct PdfDrawing;
}

namespace printout {
struct QuantityTable;
}

namespace window {

class Printing : public QObject {
    Q_OBJECT

  public:
    // Dialogs and messages open over `window`.
    explicit Printing(QWidget* window);

    // The print button: the default printer, asked from a thread of its own;
    // the window goes on meanwhile. Each prints the sheet of the survey the
    // document holds: the cut-and-fill sheet for a cut-and-fill survey.
    void printOnDefault(const document::SurveyDocument& document);
    // The standard print dialog: another printer, copies, a page range.
    void printWithDialog(const document::SurveyDocument& document);
    // The pages exactly as the default printer gets them; printing from the
    // preview prints them.
    void preview(const document::SurveyDocument& document);
    // Asks where, proposing a name after the survey's, and writes the sheet
    // there safely as a PDF; false when it was not written (cancelled, or
    // after telling why).
    bool exportPdf(const document::SurveyDocument& document);

    // The 土方数量表 the same ways: the print dialog, the preview, a PDF.
    void printQuantityTable(const document::SurveyDocument& document);
    void previewQuantityTable(const document::SurveyDocument& document);
    bool exportQuantityTablePdf(const document::SurveyDocument& document);
    // Any table of the document's survey (the 路基设计表, the 土方调配表, …)
    // the same ways.
    using TableMaker = printout::QuantityTable (*)(const document::SurveyDocument&);
    void printTable(const document::SurveyDocument& document, TableMaker make);
    void previewTable(const document::SurveyDocument& document, TableMaker make);
    bool exportTablePdf(const document::SurveyDocument& document, TableMaker make);

    // Tells why the sheet cannot be printed, offering it as a PDF instead;
    // while a prompt is open, once it has closed.
    void tellCannotPrint(const QString& message);

    // How long a print job may wait in its queue before the window says so.
    void setJobPatience(std::chrono::milliseconds patience) { jobPatience_ = patience; }

  signals:
    // A word for the status bar: a job waiting in its queue, printed, exported.
    void statusMessage(const QString& message);
    // The user asked for the sheet as a PDF, printing being impossible.
    void exportRequested();

  private:
    void printOnDefault(SheetMaker make);
    void preview(const printout::Sheet& sheet);
    // Whether the print service answers, asked off the window's thread; when
    // it takes the connection but says nothing, the user is told.
    bool printServiceAnswers();
    // Asks where to write the PDF of `what` (计算书, 土方数量表), proposing
    // `suggested`, and writes `drawing` there.
    bool exportDrawing(const paper::PdfDrawing& drawing, const QString& what,
                       const QString& suggested);
    // Writes `drawing` of `what` at `path`, telling how it went; false when it was not written.
    bool writeDrawing(const paper::PdfDrawing& drawing, const QString& what, const QString& path);
    // The print dialog titled `title` on `printer`, made after
    // printServiceAnswers(), with `extra` above its buttons where the dialog
    // is Qt's own; false when cancelled or the printer cannot print (after
    // telling why).
    bool askPrinter(QPrinter& printer, const QString& title, QWidget* extra = nullptr);
    // Prints on the printer chosen in the dialog, or into the PDF file chosen there.
    void printChosen(QPrinter& printer, const QString& what, DrawingMaker make);
    // Tells how the print of `what` (计算书, 土方数量表) ends.
    void follow(SheetPrint* print, const QString& what);
    void followJob(const QString& printer, int job, const QString& what);

    QWidget* window_;
    std::chrono::milliseconds jobPatience_{2000};
};

}  // namespace window
