#include "tools/docstore_server/kept_connection_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "tools/docstore_server/connection_stream.h"
#include "tools/docstore_server/connection_threads.h"

namespace zarn::docstore {

namespace {

using std::chrono::microseconds;
using std::chrono::seconds;

// Far above what the server's users open at once, and well below the common limit of 1024 open
// files; a connection beyond it waits until another ends.
constexpr std::size_t kMostConnectionThreads = 500;

// After a reply that ends a connection, what the client still sends is read and dropped for up
// to this long: closing with unread bytes would reset the connection and could destroy the
// reply before the client has read it.
constexpr std::chrono::milliseconds kLingerTime{2000};

constexpr char kLateText[] = "The request did not arrive in time.\n";
constexpr char kLateContentType[] = "text/plain; charset=UTF-8";

// The connection whose request is handled on this thread.
struct ServedConnection {
    ConnectionStream& stream;
    bool closing = false;
};
thread_local ServedConnection* served = nullptr;

// Sends the end of the connection and reads on until the client's end arrives.
void Linger(socket_t socket, ConnectionStream& stream) {
    shutdown(socket, SHUT_WR);
    stream.DropUntilEnd(kLingerTime);
}

// The 408 for a request that is late in its first line, which the library gives up on without
// a reply.
bool SendLateReply(ConnectionStream& stream) {
    const std::string reply = std::string("HTTP/1.1 408 Request Timeout\r\nConnection: close\r\n") +
                              "Content-Type: " + kLateContentType +
                              "\r\nContent-Length: " + std::to_string(sizeof kLateText - 1) +
                              "\r\n\r\n" + kLateText;
    return stream.write(reply.data(), reply.size()) == static_cast<ssize_t>(reply.size());
}

}  // namespace

KeptConnectionServer::KeptConnectionServer() {
    new_task_queue = [] { return new ConnectionThreads(kMostConnectionThreads); };
}

int KeptConnectionServer::Bind(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : bind_to_port(host, port) ? port : -1;
    // The library listens with a backlog of 5; a burst of connections beyond it, faster than
    // the threads for them start, would wait a second for each one's connect to be retried.
    if (bound > 0) {
        ::listen(svr_sock_, SOMAXCONN);
    }
    return bound;
}

void KeptConnectionServer::SetHeadHandler(HandlerWithResponse handler) {
    set_pre_routing_handler([handler = std::move(handler)](const httplib::Request& request,
                                                           httplib::Response& response) {
        if (served != nullptr) {
            served->stream.BeginBody();
        }
        return handler(request, response);
    });
}

void KeptConnectionServer::CloseAfterReply(const httplib::Request& request) {
    // The request object is the library's own, handed to handlers as const; its reply says
    // "Connection: close" when the request does.
    auto& own = const_cast<httplib::Request&>(request);
    own.headers.erase("Connection");
    own.headers.emplace("Connection", "close");
    if (served != nullptr) {
        served->closing = true;
    }
}

bool KeptConnectionServer::AnswerIfLate(const httplib::Request& request,
                                        httplib::Response& response) {
    if (served == nullptr || !served->stream.Late()) {
        return false;
    }
    response.status = 408;
    response.set_content(kLateText, kLateContentType);
    CloseAfterReply(request);
    return true;
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
    bool answered = false;
    if (Admit(socket)) {
        ConnectionStream stream(socket, deadlines_,
                                seconds(write_timeout_sec_) + microseconds(write_timeout_usec_));
        ServedConnection connection{stream};
        served = &connection;
        for (std::size_t left = keep_alive_max_count_; left > 0; --left) {
            if (!stream.AwaitRequest(seconds(keep_alive_timeout_sec_))) {
                break;
            }
            bool clientCloses = false;
            answered = process_request(stream, left == 1, clientCloses, nullptr);
            if (!answered && stream.Late() && !stream.Replied()) {
                answered = SendLateReply(stream);
                connection.closing = true;
            }
            if (!answered) {
                break;
            }
            if (connection.closing || clientCloses || left == 1) {
                Linger(socket, stream);
                break;
            }
        }
        served = nullptr;
        // Still open while it lingers, so that shutting down cuts that short.
        Dismiss(socket);
    }
    shutdown(socket, SHUT_RDWR);
    close(socket);
    return answered;
}

}  // namespace zarn::docstore
