// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A print server that takes every connection, reads all it is sent and never
// answers: a listener on 127.0.0.1 for CUPS_SERVER=127.0.0.1:PORT.

#include <atomic>
#include <string>
#include <thread>

namespace print_test {

class SilentServer {
  public:
    SilentServer();  // listens at once, on a port the system picks
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string address() const;                      // "127.0.0.1:PORT"
    int connections() const { return connections_; }  // taken so far

  private:
    void serve();

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};

}  // namespace print_test
