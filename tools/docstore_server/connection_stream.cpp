#include "tools/docstore_server/connection_stream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
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

ConnectionStream::ConnectionStream(socket_t socket, std::chrono::microseconds readTimeout,
                                   std::chrono::microseconds writeTimeout)
    : socket_(socket),
      readTimeout_(std::chrono::ceil<std::chrono::milliseconds>(readTimeout)),
      writeTimeout_(std::chrono::ceil<std::chrono::milliseconds>(writeTimeout)) {}

bool ConnectionStream::Await(short events, std::chrono::milliseconds timeout) const {
    pollfd watched{socket_, events, 0};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready = poll(&watched, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready >= 0 || errno != EINTR) {
            return ready > 0;
        }
    }
}

bool ConnectionStream::AwaitRequest(std::chrono::milliseconds idle) const {
    return begin_ < end_ || Await(POLLIN, idle);
}

bool ConnectionStream::is_readable() const {
    return begin_ < end_ || Await(POLLIN, readTimeout_);
}

bool ConnectionStream::is_writable() const {
    return Await(POLLOUT, writeTimeout_);
}

ssize_t ConnectionStream::read(char* data, size_t size) {
    if (begin_ == end_) {
        if (!is_readable()) {
            return -1;
        }
        ssize_t received = 0;
        do {
            received = recv(socket_, buffer_.data(), buffer_.size(), 0);
        } while (received < 0 && errno == EINTR);
        if (received <= 0) {
            return received;
        }
        begin_ = 0;
        end_ = static_cast<std::size_t>(received);
    }
    const std::size_t copied = std::min(size, end_ - begin_);
    std::memcpy(data, buffer_.data() + begin_, copied);
    begin_ += copied;
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
    return sent;
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    NameOf(socket_, getpeername, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    NameOf(socket_, getsockname, ip, port);
}

}  // namespace zarn::docstore
