#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include <httplib.h>

#include "tools/docstore_server/request_deadlines.h"

namespace zarn::docstore {

// A cpp-httplib server that keeps each HTTP/1.1 connection for as long as its client does, each
// on a thread of its own. A connection is closed when the client asks, when a reply is marked to
// close it, after it has been idle for the keep-alive timeout, after the keep-alive count of
// requests, when a request misses its deadlines (answered 408 where a reply is still possible),
// and when the server shuts down, which does not wait for idle connections. It counts the
// connections that it accepted.
class KeptConnectionServer : public httplib::Server {
  public:
    KeptConnectionServer();

    // Binds the address, `port` 0 to any free port; the port bound, or -1.
    int Bind(const std::string& host, int port);

    void SetDeadlines(const RequestDeadlines& deadlines) { deadlines_ = deadlines; }

    // The handler runs once a request's head has arrived, before its body is read; the body's
    // deadline runs from then on. Takes the place of set_pre_routing_handler.
    void SetHeadHandler(HandlerWithResponse handler);

    // Called while a request is handled: its reply says "Connection: close" and the connection
    // ends after it, because the rest of the request may still be unread on it.
    static void CloseAfterReply(const httplib::Request& request);

    // Called from the error handler: when the request missed its deadlines, makes the reply a 408
    // that ends the connection, and true.
    static bool AnswerIfLate(const httplib::Request& request, httplib::Response& response);

    // Stops accepting and ends every open connection; returns once serving has ended.
    void Shutdown();

    std::uint64_t AcceptedConnections() const { return accepted_; }

  private:
    bool process_and_close_socket(socket_t socket) override;

    // False once shutting down: the connection is then closed at once.
    bool Admit(socket_t socket);
    void Dismiss(socket_t socket);

    RequestDeadlines deadlines_;
    std::atomic<std::uint64_t> accepted_ = 0;
    std::mutex mutex_;
    bool shuttingDown_ = false;
    std::set<socket_t> open_;
};

}  // namespace zarn::docstore
