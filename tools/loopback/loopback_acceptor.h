#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

#include "tools/loopback/loopback_socket.h"

namespace zarn::net {

// Listens on 127.0.0.1 with an ephemeral port and serves each accepted connection on a thread of
// its own, which closes the connection when `serve` returns. Destruction stops the waits that
// watch Stopping(), joins every thread and closes the listener: an owner declares its acceptor
// last, so that the threads end before anything they use.
class LoopbackAcceptor {
  public:
    // The connection and its place in the order of acceptance; runs on the connection's thread.
    using Serve = std::function<void(Socket socket, std::size_t index)>;

    explicit LoopbackAcceptor(Serve serve);
    ~LoopbackAcceptor();
    LoopbackAcceptor(const LoopbackAcceptor&) = delete;
    LoopbackAcceptor& operator=(const LoopbackAcceptor&) = delete;

    int Port() const { return port_; }
    const std::atomic<bool>& Stopping() const { return stop_; }

  private:
    void AcceptLoop();

    Serve serve_;
    int port_ = 0;
    Socket listener_;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace zarn::net
