// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups/connection.h"

#include <cups/cups.h>

namespace cups {

namespace {

// A refused connection fails at once; this bounds one the network leaves unanswered.
constexpr int kConnectMilliseconds = 3000;
// How often a wait looks at the clock and at a stop request, in seconds.
constexpr double kTick = 0.2;

}  // namespace

Connection::Connection(std::stop_token stop, std::chrono::milliseconds patience)
    : stop_(std::move(stop)), patience_(patience), start_(std::chrono::steady_clock::now()) {
    http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         kConnectMilliseconds, nullptr);
    if (http_) httpSetTimeout(http_, kTick, &Connection::keepWaiting, this);
}

Connection::~Connection() {
    if (http_) httpClose(http_);
}

void Connection::begin() {
    start_ = std::chrono::steady_clock::now();
    timedOut_ = false;
}

Reach Connection::reach() const {
    if (!http_) return Reach::NoServer;
    if (stop_.stop_requested()) return Reach::Abandoned;
    if (timedOut_) return Reach::NoAnswer;
    // A server that closes the connection without an answer is as good as none.
    if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) return Reach::NoServer;
    return Reach::Answered;
}

int Connection::keepWaiting(http_t*, void* self) {
    auto& connection = *static_cast<Connection*>(self);
    if (connection.stop_.stop_requested()) return 0;
    if (std::chrono::steady_clock::now() - connection.start_ < connection.patience_) return 1;
    connection.timedOut_ = true;
    return 0;
}

}  // namespace cups
