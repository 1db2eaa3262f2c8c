#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "tools/loopback/loopback_acceptor.h"

namespace zarn::test {

// A plain TCP server on 127.0.0.1 with an ephemeral port that records the bytes of every
// connection exactly as they arrive and answers with canned bytes, or misbehaves on purpose.
// Each connection runs on its own thread; all of them end when the server is destroyed.
class RawServer {
  public:
    enum class Behaviour {
        kReply,      // answer every request with the reply bytes; keep the connection open
        kSilent,     // read the request and never answer
        kHalfReply,  // send the first half of the reply bytes, then close the connection
        kHugeReply,  // send a well-formed XML body of SetHugeLength bytes (at least 7)
        kDripFeed,   // send the reply's head at once, then its body a byte every 100 ms
    };

    // A request as it was cut from the connection: head and body, by its Content-Length.
    struct Request {
        std::string head;  // request line and headers, up to and including the empty line
        std::string body;
    };

    RawServer();

    static constexpr std::string_view kDefaultReply =
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5\r\n\r\n<ok/>";

    void SetBehaviour(Behaviour behaviour) { behaviour_ = behaviour; }
    void SetReply(std::string bytes) { SetReplies({std::move(bytes)}); }
    // The n-th request from now on, over all connections, gets the n-th reply; the last one
    // answers the rest.
    void SetReplies(std::vector<std::string> replies);
    // A reply of the status line and the body, with its length and an XML content type.
    static std::string Reply(std::string_view statusLine, std::string_view body);
    void SetHugeLength(std::uint64_t length) { hugeLength_ = length; }

    int Port() const { return acceptor_.Port(); }
    std::u16string Url(std::string_view path = "") const;

    // Every byte received, one entry per connection in the order they were accepted.
    std::vector<std::string> Connections() const;
    std::vector<Request> Requests() const;
    // Requests that could not be read as HTTP (they were answered 400 and the connection closed).
    int BadRequests() const { return badRequests_; }

  private:
    void Serve(net::Socket socket, std::size_t index);
    // Waits for data or shutdown; false when the server stops or the peer is gone.
    bool Receive(net::Socket socket, std::size_t index, std::string& buffer);
    bool ReadRequest(net::Socket socket, std::size_t index, std::string& buffer, Request& request);
    bool SendAll(net::Socket socket, std::string_view bytes);
    void SendHugeReply(net::Socket socket);
    void DripFeed(net::Socket socket, std::string_view reply);

    std::atomic<Behaviour> behaviour_{Behaviour::kReply};
    std::atomic<std::uint64_t> hugeLength_{0};
    std::atomic<int> badRequests_{0};

    mutable std::mutex mutex_;
    std::vector<std::string> replies_{std::string(kDefaultReply)};
    std::size_t repliesFrom_ = 0;  // the requests there were when the replies were set
    std::vector<std::string> connections_;
    std::vector<Request> requests_;
    // Last, so that the connections' threads end before the members they use.
    net::LoopbackAcceptor acceptor_;
};

}  // namespace zarn::test
