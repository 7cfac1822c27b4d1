// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace print_test {

SilentServer::SilentServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the silent server cannot listen");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

SilentServer::~SilentServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

std::string SilentServer::address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

void SilentServer::serve() {
    std::vector<pollfd> sockets{{listener_, POLLIN, 0}};
    while (!stop_) {
        if (poll(sockets.data(), sockets.size(), 50) <= 0) continue;
        if (sockets[0].revents & POLLIN) {
            sockets.push_back({accept(listener_, nullptr, nullptr), POLLIN, 0});
            ++connections_;
        }
        for (std::size_t k = 1; k < sockets.size(); ++k) {
            char buffer[65536];
            if ((sockets[k].revents & (POLLIN | POLLHUP)) &&
                read(sockets[k].fd, buffer, sizeof buffer) <= 0) {
                close(sockets[k].fd);
                sockets[k].fd = -1;  // poll skips it
            }
        }
    }
    for (std::size_t k = 1; k < sockets.size(); ++k) {
        if (sockets[k].fd >= 0) close(sockets[k].fd);
    }
}

}  // namespace print_test
