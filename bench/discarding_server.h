#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/loopback/loopback_socket.h"

namespace zarn::bench {

// An HTTP server on 127.0.0.1 with an ephemeral port that reads each request's body as it
// arrives, keeps none of it, and answers 200 with "<ok/>": the least a server can do, so that a
// benchmark measures its client. Connections stay open; each is served on a thread of its own
// until the server is destroyed.
class DiscardingServer {
  public:
    DiscardingServer();
    ~DiscardingServer();
    DiscardingServer(const DiscardingServer&) = delete;
    DiscardingServer& operator=(const DiscardingServer&) = delete;

    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(const std::string& path = "") const;
    std::size_t RequestCount() const { return requests_; }

  private:
    void AcceptLoop();
    void Serve(net::Socket socket);
    // Reads one request and discards its body; false when the connection ended or is no HTTP.
    bool Discard(net::Socket socket, std::string& pending);
    bool Receive(net::Socket socket, std::string& pending);

    int port_ = 0;
    net::Socket listener_;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> requests_{0};
    std::mutex mutex_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace zarn::bench
