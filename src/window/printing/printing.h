// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every way the calculation sheet goes out: the default printer (from a
// thread, its job followed until it ends), the print dialog, the preview, the
// PDF export, and the message when it cannot be printed, which offers the PDF
// instead. Each call takes the survey to print and keeps nothing of it.

#include <QObject>
#include <QString>
#include <chrono>

class QWidget;

namespace section {
class SectionSurvey;
}

namespace window {

class Printing : public QObject {
    Q_OBJECT

  public:
    // Dialogs and messages open over `window`.
    explicit Printing(QWidget* window);

    // The print button: the default printer, asked from a thread of its own;
    // the window goes on meanwhile.
    void printOnDefault(const section::SectionSurvey& survey);
    // The standard print dialog: another printer, copies, a page range.
    void printWithDialog(const section::SectionSurvey& survey);
    // The pages exactly as the default printer gets them; printing from the
    // preview prints them.
    void preview(const section::SectionSurvey& survey);
    // Asks where, proposing a name after `surveyFile` (empty: none), and
    // writes the sheet there safely as a PDF; false when it was not written
    // (cancelled, or after telling why).
    bool exportPdf(const section::SectionSurvey& survey, const QString& surveyFile);

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
    void followJob(const QString& printer, int job);

    QWidget* window_;
    std::chrono::milliseconds jobPatience_{2000};
};

}  // namespace window
