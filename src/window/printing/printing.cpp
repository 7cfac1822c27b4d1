// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/printing.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <future>

#include "document/survey_document.h"
#include "paper/pdf_export.h"
#include "paper/quantity_table_renderer.h"
#include "paper/sheet_renderer.h"
#include "printout/page_frame.h"
#include "printout/quantity_table.h"
#include "printout/survey_printouts.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"
#include "window/printing/job_watch.h"
#include "window/printing/print_system.h"
#include "window/printing/quantity_table_print.h"
#include "window/printing/section_drawings_choice.h"
#include "window/printing/sheet_printer.h"

namespace window {

namespace {

const QString kChosenPrinterKey = QStringLiteral("printing/chosenPrinter");

// The pages the print dialog asked for.
paper::PageRange pagesOf(const QPrinter& printer) {
    if (printer.printRange() != QPrinter::PageRange) return {};
    return {printer.fromPage(), printer.toPage()};
}

// The sheet of the survey the document holds, framed by its 工程信息, with
// what reading its file changed, laid out when called: a copy of the survey
// goes with it.
SheetMaker sheetOf(const document::SurveyDocument& document,
                   printout::SectionDrawings drawings = printout::SectionDrawings::Without) {
    return [survey = document.survey(), project = document.project(), reading = document.reading(),
            drawings] { return printout::calculationSheet(survey, project, drawings, reading); };
}

}  // namespace

Printing::Printing(QWidget* window) : QObject(window), window_(window) {}

void Printing::printOnDefault(const document::SurveyDocument& document) {
    printOnDefault(sheetOf(document));
}

void Printing::printWithDialog(const document::SurveyDocument& document) {
    if (!printServiceAnswers()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheetDocumentName());
    if (!askPrinter(printer, QStringLiteral("打印计算书"), sectionDrawingsBox())) return;
    const printout::Sheet sheet = sheetOf(document, chosenSectionDrawings())();
    printChosen(printer, QStringLiteral("计算书"),
                [sheet](const QPageLayout& page) { return paper::sheetDrawing(sheet, page); });
}

void Printing::preview(const document::SurveyDocument& document) {
    preview(sheetOf(document)());
}

bool Printing::exportPdf(const document::SurveyDocument& document) {
    const QString what = QStringLiteral("计算书");
    const QString path = askSavePath(window_, QStringLiteral("导出%1为 PDF").arg(what),
                                     exportPath(document, what, QStringLiteral("pdf")),
                                     QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"),
                                     ReplaceQuestion::InDialog, sectionDrawingsBox());
    if (path.isEmpty()) return false;
    const printout::Sheet sheet = sheetOf(document, chosenSectionDrawings())();
    return writeDrawing(paper::sheetDrawing(sheet), what, path);
}

void Printing::printOnDefault(SheetMaker make) {
    follow(new SheetPrint(std::move(make), this), QStringLiteral("计算书"));
}

// A printer chosen in the dialog prints as the default one does: from a thread
// of its own, the job followed and its end told. It is proposed again next time.
// A PDF file chosen in the dialog is simply written.
void Printing::printChosen(QPrinter& printer, const QString& what, DrawingMaker make) {
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        if (!make(printer.pageLayout()).draw(printer, pagesOf(printer)))
            tellCannotPrint(
                printResult(PrintOutcome::CannotOpen, printer.outputFileName()).message);
        return;
    }
    QSettings().setValue(kChosenPrinterKey, printer.printerName());
    follow(new SheetPrint(
               std::move(make),
               {printer.printerName(), printer.pageLayout(), pagesOf(printer), printer.copyCount()},
               this),
           what);
}

void Printing::follow(SheetPrint* print, const QString& what) {
    connect(print, &SheetPrint::finished, this, [this, print, what](const PrintedSheet& printed) {
        print->deleteLater();
        if (!printed.result.printed()) {
            tellCannotPrint(printed.result.message);
        } else if (printed.job != 0) {
            followJob(printed.printer, printed.job, what);
        } else {
            emit statusMessage(QStringLiteral("%1已送到打印机“%2”。").arg(what, printed.printer));
        }
    });
}

void Printing::followJob(const QString& printer, int job, const QString& what) {
    auto* watch = new JobWatch(printer, job, jobPatience_, this);
    connect(watch, &JobWatch::stillWaiting, this, [this, printer, what] {
        emit statusMessage(
            QStringLiteral("%1已送到打印机“%2”，正在排队等候打印。").arg(what, printer));
    });
    connect(watch, &JobWatch::ended, this, [this, watch, printer, what](const PrintResult& result) {
        watch->deleteLater();
        if (result.printed()) {
            emit statusMessage(QStringLiteral("%1已在打印机“%2”上打印。").arg(what, printer));
        } else {
            tellCannotPrint(result.message);
        }
    });
}

void Printing::tellCannotPrint(const QString& message) {
    // Print news comes whenever it is learned; over an open prompt the box
    // would take the Enter meant for the prompt. It waits for the prompt to close.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, [this, message] { tellCannotPrint(message); });
        return;
    }
    QMessageBox box(QMessageBox::Warning, applicationTitle(), message, QMessageBox::Ok, window_);
    // No printer at hand: the sheet can still go out as a PDF.
    QPushButton* toPdf = box.addButton(QStringLiteral("导出为 PDF…"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == toPdf) emit exportRequested();
}

bool Printing::exportQuantityTablePdf(const document::SurveyDocument& document) {
    return exportTablePdf(document, quantityTableOf);
}

bool Printing::exportTablePdf(const document::SurveyDocument& document, TableMaker make) {
    const printout::QuantityTable table = make(document);
    const QString what = QString::fromStdString(table.title);
    return exportDrawing(paper::quantityTableDrawing(table), what,
                         exportPath(document, what, QStringLiteral("pdf")));
}

bool Printing::exportDrawing(const paper::PdfDrawing& drawing, const QString& what,
                             const QString& suggested) {
    const QString path = askSavePath(window_, QStringLiteral("导出%1为 PDF").arg(what), suggested,
                                     QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return false;
    return writeDrawing(drawing, what, path);
}

bool Printing::writeDrawing(const paper::PdfDrawing& drawing, const QString& what,
                            const QString& path) {
    const QString error = paper::exportPdf(drawing, path);
    if (!error.isEmpty()) {
        QMessageBox::warning(window_, applicationTitle(), error);
        return false;
    }
    emit statusMessage(
        QStringLiteral("%1已导出为“%2”。").arg(what, QDir::toNativeSeparators(path)));
    return true;
}

// Qt's printer classes ask the print system on the window's thread with no
// time limit, a minute and more when it takes the connection and never
// answers: it is asked first, on a thread of its own and with a short limit.
bool Printing::printServiceAnswers() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::future<DefaultPrinter> asked =
        std::async(std::launch::async, [] { return defaultPrinter(); });
    QEventLoop waiting;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &waiting, [&] {
        if (asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready) waiting.quit();
    });
    poll.start(20);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    // The message below runs an event loop of its own: the poll must not
    // look at the answer once it is taken.
    poll.stop();
    QApplication::restoreOverrideCursor();
    const DefaultPrinter printer = asked.get();
    if (printer.problem != PrintOutcome::NoAnswer) return true;
    tellCannotPrint(printResult(PrintOutcome::NoAnswer, printer.name).message);
    return false;
}

void Printing::preview(const printout::Sheet& sheet) {
    if (!printServiceAnswers()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheetDocumentName());
    QPrintPreviewDialog preview(&printer, window_);
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + applicationTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&sheet](QPrinter* target) { paper::renderSheet(sheet, *target, pagesOf(*target)); });
    if (window_) preview.resize(window_->window()->size().boundedTo(QSize(900, 1000)));
    preview.exec();
}

bool Printing::askPrinter(QPrinter& printer, const QString& title, QWidget* extra) {
    // The printer chosen last time, while it is still there.
    const QString chosen = QSettings().value(kChosenPrinterKey).toString();
    if (!chosen.isEmpty() && printerProblem(chosen) != PrintOutcome::PrinterMissing)
        printer.setPrinterName(chosen);
    QPrintDialog dialog(&printer, window_);
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    // Qt's own dialog lays its parts out one above the other, the buttons last.
    if (auto* parts = qobject_cast<QBoxLayout*>(dialog.layout()); extra && parts)
        parts->insertWidget(parts->count() - 1, extra);
    else
        delete extra;
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        const PrintOutcome problem = printerProblem(printer.printerName());
        if (problem != PrintOutcome::Printed) {
            tellCannotPrint(printResult(problem, printer.printerName()).message);
            return false;
        }
    }
    return true;
}

void Printing::printQuantityTable(const document::SurveyDocument& document) {
    printTable(document, quantityTableOf);
}

void Printing::previewQuantityTable(const document::SurveyDocument& document) {
    previewTable(document, quantityTableOf);
}

void Printing::printTable(const document::SurveyDocument& document, TableMaker make) {
    if (!printServiceAnswers()) return;
    const printout::QuantityTable table = make(document);
    QPrinter printer(QPrinter::HighResolution);
    setUpForQuantityTable(table, printer);
    const QString what = QString::fromStdString(table.title);
    if (!askPrinter(printer, QStringLiteral("打印") + what)) return;
    // Laid out on its own page (across where its columns need it), as in the preview.
    printChosen(printer, what,
                [table](const QPageLayout&) { return paper::quantityTableDrawing(table); });
}

void Printing::previewTable(const document::SurveyDocument& document, TableMaker make) {
    if (!printServiceAnswers()) return;
    const printout::QuantityTable table = make(document);
    QPrinter printer(QPrinter::HighResolution);
    window::previewQuantityTable(table, printer, window_);
}

}  // namespace window
