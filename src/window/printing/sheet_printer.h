// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prints the calculation sheet of a survey on the system's default printer,
// from a thread of its own: the window never waits on the print system.

#include <QObject>
#include <stop_token>
#include <thread>

#include "section/project_info.h"
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
// The sheet carries the frame of `project` when it is filled in.
PrintedSheet printSheet(const section::SectionSurvey& survey,
                        const section::ProjectInfo& project = {}, std::stop_token stop = {});

// printSheet on a thread; `finished` comes on the window's thread, unless this
// is destroyed first (which stops the print at its next wait).
class SheetPrint : public QObject {
    Q_OBJECT

  public:
    explicit SheetPrint(section::SectionSurvey survey, section::ProjectInfo project = {},
                        QObject* parent = nullptr);
    ~SheetPrint() override;

  signals:
    void finished(const window::PrintedSheet& printed);

  private:
    std::jthread thread_;
};

}  // namespace window
