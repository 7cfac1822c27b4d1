// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Follows a print job from a thread of its own, so the window never waits on
// the print system: it tells when the job is still waiting after a while
// (not an error), and how the job ended, whenever that is learned. Only an
// end CUPS confirms is told as printed; a job CUPS can no longer tell about
// ends as unknown.

#include <QObject>
#include <QString>
#include <chrono>
#include <thread>

#include "window/printing/print_result.h"

namespace window {

class JobWatch : public QObject {
    Q_OBJECT

  public:
    JobWatch(const QString& printer, int job, std::chrono::milliseconds patience,
             QObject* parent = nullptr);
    ~JobWatch() override;  // stops following the job, within a fraction of a second

  signals:
    void stillWaiting();  // once, when patience has run out
    // Printed when CUPS says so; otherwise why not, or why it is unknown.
    void ended(const window::PrintResult& result);

  private:
    void follow(std::stop_token stop, std::chrono::milliseconds patience);

    QString printer_;
    int job_;
    std::jthread thread_;
};

}  // namespace window
