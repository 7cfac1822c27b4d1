// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection to the print server for one question, with short timeouts:
// libcups' own default connection waits a minute for a server that accepts and
// never answers. A stop request ends the wait at the next tick, so a program
// quitting while it follows a job is not held up.

#include <chrono>
#include <stop_token>

typedef struct _http_s http_t;

namespace cups {

enum class Reach {
    Answered,   // the server answered (possibly with an error status)
    NoServer,   // nothing listens: the connection was refused or failed
    NoAnswer,   // the server took the connection but did not answer in time
    Abandoned,  // stopped on request before the answer came
};

class Connection {
  public:
    // Connects at once; `patience` bounds each request's wait for an answer.
    explicit Connection(std::stop_token stop,
                        std::chrono::milliseconds patience = std::chrono::seconds(4));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Null when there is no connection; pass it to libcups calls made between
    // begin() and reach().
    http_t* http() const { return http_; }

    // Starts the clock of one request.
    void begin();

    // What became of the last request: Answered unless the connection failed,
    // the wait ran out or a stop was requested.
    Reach reach() const;

  private:
    static int keepWaiting(http_t* http, void* self);

    std::stop_token stop_;
    std::chrono::milliseconds patience_;
    std::chrono::steady_clock::time_point start_;
    http_t* http_ = nullptr;
    bool timedOut_ = false;
};

}  // namespace cups
