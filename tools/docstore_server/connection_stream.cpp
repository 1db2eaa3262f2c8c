#include "tools/docstore_server/connection_stream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace zarn::docstore {

namespace {

// The numeric address and port of a socket's end, as getsockname or getpeername tells it.
template <class GetName>
void NameOf(socket_t socket, GetName getName, std::string& ip, int& port) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    char host[NI_MAXHOST] = "";
    char service[NI_MAXSERV] = "";
    if (getName(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        getnameinfo(reinterpret_cast<sockaddr*>(&address), length, host, sizeof host, service,
                    sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return;
    }
    ip = host;
    port = std::atoi(service);
}

}  // namespace

ConnectionStream::ConnectionStream(socket_t socket, const RequestDeadlines& deadlines,
                                   std::chrono::microseconds writeTimeout)
    : socket_(socket),
      deadlines_(deadlines),
      writeTimeout_(std::chrono::ceil<std::chrono::milliseconds>(writeTimeout)) {}

bool ConnectionStream::Await(short events, Clock::time_point until) const {
    pollfd watched{socket_, events, 0};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        const int ready =
            poll(&watched, 1, static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX)));
        if (ready >= 0 || errno != EINTR) {
            return ready > 0;
        }
    }
}

bool ConnectionStream::AwaitRequest(std::chrono::milliseconds idle) {
    if (begin_ == end_ && !Await(POLLIN, Clock::now() + idle)) {
        return false;
    }
    inBody_ = false;
    written_ = 0;
    limit_ = Clock::now() + deadlines_.head;
    return true;
}

void ConnectionStream::BeginBody() {
    inBody_ = true;
    windowBytes_ = 0;
    limit_ = Clock::now() + deadlines_.bodyWindow;
}

void ConnectionStream::DropUntilEnd(std::chrono::milliseconds most) {
    const auto until = Clock::now() + most;
    while (Await(POLLIN, until)) {
        const ssize_t received = recv(socket_, buffer_.data(), buffer_.size(), 0);
        if (received == 0 || (received < 0 && errno != EINTR)) {
            break;
        }
    }
    begin_ = end_ = 0;
}

ConnectionStream::Clock::time_point ConnectionStream::ReadLimit() {
    const auto now = Clock::now();
    if (now >= limit_) {
        if (inBody_ && windowBytes_ >= deadlines_.bodyBytes) {
            windowBytes_ = 0;
            limit_ = now + deadlines_.bodyWindow;
        } else {
            late_ = true;
        }
    }
    return limit_;
}

ssize_t ConnectionStream::Refill() {
    for (;;) {
        const auto until = ReadLimit();
        if (late_) {
            return -1;
        }
        if (Await(POLLIN, until)) {
            break;
        }
        if (Clock::now() < until) {
            return -1;  // the wait failed
        }
    }
    ssize_t received = 0;
    do {
        received = recv(socket_, buffer_.data(), buffer_.size(), 0);
    } while (received < 0 && errno == EINTR);
    if (received > 0) {
        begin_ = 0;
        end_ = static_cast<std::size_t>(received);
    }
    return received;
}

bool ConnectionStream::is_readable() const {
    return begin_ < end_ || Await(POLLIN, limit_);
}

bool ConnectionStream::is_writable() const {
    return Await(POLLOUT, Clock::now() + writeTimeout_);
}

ssize_t ConnectionStream::read(char* data, size_t size) {
    if (late_) {
        return -1;
    }
    if (begin_ == end_) {
        if (const ssize_t received = Refill(); received <= 0) {
            return received;
        }
    }
    const std::size_t copied = std::min(size, end_ - begin_);
    std::memcpy(data, buffer_.data() + begin_, copied);
    begin_ += copied;
    if (inBody_) {
        windowBytes_ += copied;
    }
    return static_cast<ssize_t>(copied);
}

ssize_t ConnectionStream::write(const char* data, size_t size) {
    if (!is_writable()) {
        return -1;
    }
    ssize_t sent = 0;
    do {
        sent = send(socket_, data, size, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent > 0) {
        written_ += static_cast<std::size_t>(sent);
    }
    return sent;
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    NameOf(socket_, getpeername, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    NameOf(socket_, getsockname, ip, port);
}

}  // namespace zarn::docstore
