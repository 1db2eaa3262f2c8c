#include "tools/docstore_server/kept_connection_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>

#include "tools/docstore_server/connection_stream.h"

namespace zarn::docstore {

namespace {

using std::chrono::microseconds;
using std::chrono::seconds;

// After a reply that ends a connection, what the client still sends is read and dropped for up
// to this long: closing with unread bytes would reset the connection and could destroy the
// reply before the client has read it.
constexpr std::chrono::milliseconds kLingerTime{2000};

// Set while a connection's request is handled on this thread.
thread_local bool* closeAfterReply = nullptr;

// Sends the end of the connection and reads on until the client's end arrives.
void Linger(socket_t socket) {
    shutdown(socket, SHUT_WR);
    ConnectionStream rest(socket, kLingerTime, kLingerTime);
    std::array<char, 4096> dropped;
    const auto deadline = std::chrono::steady_clock::now() + kLingerTime;
    while (std::chrono::steady_clock::now() < deadline &&
           rest.read(dropped.data(), dropped.size()) > 0) {
    }
}

}  // namespace

void KeptConnectionServer::CloseAfterReply(const httplib::Request& request) {
    // The request object is the library's own, handed to handlers as const; its reply says
    // "Connection: close" when the request does.
    auto& own = const_cast<httplib::Request&>(request);
    own.headers.erase("Connection");
    own.headers.emplace("Connection", "close");
    if (closeAfterReply != nullptr) {
        *closeAfterReply = true;
    }
}

void KeptConnectionServer::Shutdown() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        shuttingDown_ = true;
        // Wakes a connection waiting for its next request, and ends one being served.
        for (const socket_t socket : open_) {
            shutdown(socket, SHUT_RDWR);
        }
    }
    stop();
}

bool KeptConnectionServer::Admit(socket_t socket) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++accepted_;
    if (shuttingDown_) {
        return false;
    }
    open_.insert(socket);
    return true;
}

void KeptConnectionServer::Dismiss(socket_t socket) {
    const std::lock_guard<std::mutex> lock(mutex_);
    open_.erase(socket);
}

bool KeptConnectionServer::process_and_close_socket(socket_t socket) {
    // A reply's head and body go out as two writes; the second must not wait for an
    // acknowledgement of the first.
    const int yes = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    bool served = false;
    if (Admit(socket)) {
        ConnectionStream stream(socket,
                                seconds(read_timeout_sec_) + microseconds(read_timeout_usec_),
                                seconds(write_timeout_sec_) + microseconds(write_timeout_usec_));
        bool closing = false;
        closeAfterReply = &closing;
        for (std::size_t left = keep_alive_max_count_; left > 0; --left) {
            if (!stream.AwaitRequest(seconds(keep_alive_timeout_sec_))) {
                break;
            }
            bool clientCloses = false;
            served = process_request(stream, left == 1, clientCloses, nullptr);
            if (!served) {
                break;
            }
            if (closing || clientCloses || left == 1) {
                Linger(socket);
                break;
            }
        }
        closeAfterReply = nullptr;
        // Still open while it lingers, so that shutting down cuts that short.
        Dismiss(socket);
    }
    shutdown(socket, SHUT_RDWR);
    close(socket);
    return served;
}

}  // namespace zarn::docstore
