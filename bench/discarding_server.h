#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "tools/loopback/loopback_acceptor.h"

namespace zarn::bench {

// An HTTP server on 127.0.0.1 with an ephemeral port that reads each request's body as it
// arrives, keeps none of it, and answers 200 with "<ok/>": the least a server can do, so that a
// benchmark measures its client. Connections stay open; each is served on a thread of its own
// until the server is destroyed.
class DiscardingServer {
  public:
    DiscardingServer();

    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(const std::string& path = "") const;
    std::size_t RequestCount() const { return requests_; }

  private:
    void Serve(net::Socket socket);
    // Reads one request and discards its body; false when the connection ended or is no HTTP.
    bool Discard(net::Socket socket, std::string& pending);
    bool Receive(net::Socket socket, std::string& pending);

    std::atomic<std::size_t> requests_{0};
    // Last, so that the connections' threads end before the count they add to.
    net::LoopbackAcceptor acceptor_;
};

}  // namespace zarn::bench
