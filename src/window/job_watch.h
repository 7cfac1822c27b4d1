// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Follows a print job from a thread of its own, so the window never waits on
// the print system: it tells when the job is still waiting after a while
// (not an error), and how the job ended, whenever that is learned.

#include <QObject>
#include <QString>
#include <chrono>
#include <thread>

namespace window {

class JobWatch : public QObject {
    Q_OBJECT

  public:
    JobWatch(const QString& printer, int job, std::chrono::milliseconds patience,
             QObject* parent = nullptr);
    ~JobWatch() override;  // stops following the job

  signals:
    void stillWaiting();       // once, when patience has run out
    void ended(bool printed);  // printed, or aborted or cancelled

  private:
    void follow(std::stop_token stop, std::chrono::milliseconds patience);

    QString printer_;
    int job_;
    std::jthread thread_;
};

}  // namespace window
