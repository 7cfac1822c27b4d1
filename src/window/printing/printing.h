// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every way the calculation sheet goes out: the default printer (from a
// thread, its job followed until it ends), the print dialog, the preview, the
// PDF export, and the message when it cannot be printed, which offers the PDF
// instead; and the 土方数量表 through the print dialog, the preview and a PDF.
// Each call takes the survey to print and its 工程信息 and keeps nothing of them.

#include <QObject>
#include <QString>
#include <chrono>

class QPrinter;
class QWidget;

namespace section {
class SectionSurvey;
struct ProjectInfo;
}  // namespace section

namespace window {

struct PdfDrawing;

class Printing : public QObject {
    Q_OBJECT

  public:
    // Dialogs and messages open over `window`.
    explicit Printing(QWidget* window);

    // The print button: the default printer, asked from a thread of its own;
    // the window goes on meanwhile.
    void printOnDefault(const section::SectionSurvey& survey, const section::ProjectInfo& project);
    // The standard print dialog: another printer, copies, a page range.
    void printWithDialog(const section::SectionSurvey& survey, const section::ProjectInfo& project);
    // The pages exactly as the default printer gets them; printing from the
    // preview prints them.
    void preview(const section::SectionSurvey& survey, const section::ProjectInfo& project);
    // Asks where, proposing a name after `surveyFile` (empty: none), and
    // writes the sheet there safely as a PDF; false when it was not written
    // (cancelled, or after telling why).
    bool exportPdf(const section::SectionSurvey& survey, const section::ProjectInfo& project,
                   const QString& surveyFile);

    // The 土方数量表 the same ways: the print dialog, the preview, a PDF.
    void printQuantityTable(const section::SectionSurvey& survey,
                            const section::ProjectInfo& project);
    void previewQuantityTable(const section::SectionSurvey& survey,
                              const section::ProjectInfo& project);
    bool exportQuantityTablePdf(const section::SectionSurvey& survey,
                                const section::ProjectInfo& project, const QString& surveyFile);

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
    // Whether the print service answers, asked off the window's thread; when
    // it takes the connection but says nothing, the user is told.
    bool printServiceAnswers();
    // Asks where to write a PDF named `what` (计算书, 土方数量表) and writes
    // `drawing` there.
    bool exportDrawing(const PdfDrawing& drawing, const QString& what, const QString& surveyFile);
    // The print dialog titled `title` on `printer`, made after
    // printServiceAnswers(); false when cancelled or the printer cannot print
    // (after telling why).
    bool askPrinter(QPrinter& printer, const QString& title, bool pageRange);
    void followJob(const QString& printer, int job);

    QWidget* window_;
    std::chrono::milliseconds jobPatience_{2000};
};

}  // namespace window
