#include "tests/support/raw_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace zarn::test {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";

std::uint64_t ContentLength(std::string_view head) {
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::size_t at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos)
        return 0;
    return std::strtoull(lower.c_str() + at + 17, nullptr, 10);
}

// A request line starts with a method of upper-case letters and a blank.
bool LooksLikeRequest(std::string_view head) {
    std::size_t letters = 0;
    while (letters < head.size() && head[letters] >= 'A' && head[letters] <= 'Z')
        ++letters;
    return letters > 0 && letters < head.size() && head[letters] == ' ';
}

}  // namespace

RawServer::RawServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        ::pipe2(wake_, O_CLOEXEC) != 0) {
        throw std::runtime_error("raw server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawServer::~RawServer() {
    // The byte stays in the pipe, so every wait sees it and returns.
    char stop = 1;
    (void)!::write(wake_[1], &stop, 1);
    acceptor_.join();
    for (std::thread& worker : workers_)
        worker.join();
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

void RawServer::SetReply(std::string bytes) {
    std::lock_guard lock(mutex_);
    reply_ = std::move(bytes);
}

std::u16string RawServer::Url(std::string_view path) const {
    std::string url = "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
    return std::u16string(url.begin(), url.end());
}

std::vector<std::string> RawServer::Connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

std::vector<RawServer::Request> RawServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawServer::AcceptLoop() {
    for (;;) {
        pollfd waits[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 || waits[1].revents != 0)
            return;
        int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0)
            continue;
        std::lock_guard lock(mutex_);
        connections_.emplace_back();
        workers_.emplace_back(
            [this, socket, index = connections_.size() - 1] { Serve(socket, index); });
    }
}

bool RawServer::Receive(int socket, std::size_t index, std::string& buffer) {
    pollfd waits[2] = {{socket, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0 || waits[1].revents != 0)
        return false;
    char chunk[65536];
    ssize_t got = ::recv(socket, chunk, sizeof chunk, 0);
    if (got <= 0)
        return false;
    buffer.append(chunk, static_cast<std::size_t>(got));
    std::lock_guard lock(mutex_);
    connections_[index].append(chunk, static_cast<std::size_t>(got));
    return true;
}

bool RawServer::ReadRequest(int socket, std::size_t index, std::string& buffer, Request& request) {
    std::size_t headEnd;
    while ((headEnd = buffer.find(kHeadEnd)) == std::string::npos) {
        if (!Receive(socket, index, buffer))
            return false;
    }
    headEnd += kHeadEnd.size();
    request.head = buffer.substr(0, headEnd);
    if (!LooksLikeRequest(request.head)) {
        ++badRequests_;
        SendAll(socket,
                "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return false;
    }
    std::uint64_t length = ContentLength(request.head);
    while (buffer.size() - headEnd < length) {
        if (!Receive(socket, index, buffer))
            return false;
    }
    request.body = buffer.substr(headEnd, length);
    buffer.erase(0, headEnd + length);
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    return true;
}

bool RawServer::SendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        pollfd waits[2] = {{socket, POLLOUT, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 || waits[1].revents != 0)
            return false;
        ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void RawServer::SendHugeReply(int socket) {
    std::uint64_t length = hugeLength_;
    std::string head =
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(length) +
        "\r\n\r\n<r>";
    if (!SendAll(socket, head))
        return;
    std::string block(65536, 'x');
    for (std::uint64_t left = length - std::min<std::uint64_t>(length, 7); left > 0;) {
        std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
        if (!SendAll(socket, std::string_view(block).substr(0, count)))
            return;
        left -= count;
    }
    SendAll(socket, "</r>");
}

void RawServer::Serve(int socket, std::size_t index) {
    std::string buffer;
    Request request;
    bool open = true;
    while (open && ReadRequest(socket, index, buffer, request)) {
        std::string reply;
        {
            std::lock_guard lock(mutex_);
            reply = reply_;
        }
        switch (behaviour_.load()) {
            case Behaviour::kReply:
                open = SendAll(socket, reply);
                break;
            case Behaviour::kSilent:
                while (Receive(socket, index, buffer)) {
                }
                open = false;
                break;
            case Behaviour::kHalfReply:
                SendAll(socket, std::string_view(reply).substr(0, reply.size() / 2));
                open = false;
                break;
            case Behaviour::kHugeReply:
                SendHugeReply(socket);
                open = false;
                break;
        }
    }
    ::close(socket);
}

}  // namespace zarn::test
