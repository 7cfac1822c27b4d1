// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/job_watch.h"

#include <condition_variable>
#include <mutex>

#include "window/print_system.h"

namespace window {

namespace {

constexpr std::chrono::milliseconds kPoll(200);
// A job still queued after this long is left to the printer unwatched.
constexpr std::chrono::hours kGiveUp(1);

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
    bool told = false;
    std::mutex mutex;
    std::condition_variable_any wake;
    // Signals go to the window's thread; they are dropped once this is gone.
    auto post = [this](auto signal) {
        QMetaObject::invokeMethod(this, signal, Qt::QueuedConnection);
    };
    while (!stop.stop_requested() && Clock::now() - start < kGiveUp) {
        const JobProgress progress = jobProgress(printer_, job_);
        if (progress != JobProgress::Waiting) {
            const bool printed = progress == JobProgress::Done;
            post([this, printed] { emit ended(printed); });
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
