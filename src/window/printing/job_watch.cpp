// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/job_watch.h"

#include <condition_variable>
#include <mutex>
#include <optional>

#include "window/printing/print_system.h"

namespace window {

namespace {

constexpr std::chrono::milliseconds kPoll(200);
// A job still queued after this long is left to the printer unwatched.
constexpr std::chrono::hours kGiveUp(1);
// A scheduler being restarted keeps its queued jobs; one that stays away this
// long leaves the job's fate unknown.
constexpr std::chrono::seconds kServerGrace(10);

PrintResult resultOf(const JobNews& news, const QString& printer) {
    switch (news.progress) {
        case JobProgress::Done:
            return printResult(PrintOutcome::Printed, printer);
        case JobProgress::Failed:
            return printResult(PrintOutcome::JobFailed, printer);
        case JobProgress::Stuck:
            return printResult(PrintOutcome::JobStuck, printer,
                               news.printerMessage.isEmpty()
                                   ? QString()
                                   : QStringLiteral("（%1）").arg(news.printerMessage));
        case JobProgress::Forgotten:
            return printResult(PrintOutcome::JobForgotten, printer);
        case JobProgress::PrinterGone:
            return printResult(PrintOutcome::JobPrinterGone, printer);
        case JobProgress::Waiting:
        case JobProgress::Unreachable:
            break;
    }
    return printResult(PrintOutcome::JobServerGone, printer);
}

}  // namespace

JobWatch::JobWatch(const QString& printer, int job, std::chrono::milliseconds patience,
                   QObject* parent)
    : QObject(parent), printer_(printer), job_(job) {
    thread_ = std::jthread([this, patience](std::stop_token stop) { follow(stop, patience); });
}

JobWatch::~JobWatch() {
    thread_.request_stop();
    thread_.join();
}

void JobWatch::follow(std::stop_token stop, std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> unreachableSince;
    bool told = false;
    std::mutex mutex;
    std::condition_variable_any wake;
    // Signals go to the window's thread; they are dropped once this is gone.
    auto post = [this](auto signal) {
        QMetaObject::invokeMethod(this, signal, Qt::QueuedConnection);
    };
    while (!stop.stop_requested() && Clock::now() - start < kGiveUp) {
        const JobNews news = jobProgress(printer_, job_, stop);
        if (stop.stop_requested()) return;
        if (news.progress != JobProgress::Unreachable)
            unreachableSince.reset();
        else if (!unreachableSince)
            unreachableSince = Clock::now();
        const bool over = news.progress != JobProgress::Waiting &&
                          (!unreachableSince || Clock::now() - *unreachableSince >= kServerGrace);
        if (over) {
            const PrintResult result = resultOf(news, printer_);
            post([this, result] { emit ended(result); });
            return;
        }
        if (!told && Clock::now() - start >= patience) {
            told = true;
            post([this] { emit stillWaiting(); });
        }
        std::unique_lock lock(mutex);
        wake.wait_for(lock, stop, kPoll, [] { return false; });
    }
}

}  // namespace window
