#include "tests/support/raw_server.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <thread>

#include "tools/loopback/loopback_socket.h"

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

RawServer::RawServer()
    : acceptor_([this](net::Socket socket, std::size_t index) { Serve(socket, index); }) {}

void RawServer::SetReplies(std::vector<std::string> replies) {
    std::lock_guard lock(mutex_);
    replies_ = std::move(replies);
    repliesFrom_ = requests_.size();
}

std::string RawServer::Reply(std::string_view statusLine, std::string_view body) {
    return std::string(statusLine) +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + std::string(body);
}

std::u16string RawServer::Url(std::string_view path) const {
    std::string url = "http://127.0.0.1:" + std::to_string(Port()) + std::string(path);
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

bool RawServer::Receive(net::Socket socket, std::size_t index, std::string& buffer) {
    if (!net::WaitUntilReady(socket, false, acceptor_.Stopping()))
        return false;
    char chunk[65536];
    long got = net::Receive(socket, chunk, sizeof chunk);
    if (got <= 0)
        return false;
    buffer.append(chunk, static_cast<std::size_t>(got));
    std::lock_guard lock(mutex_);
    connections_[index].append(chunk, static_cast<std::size_t>(got));
    return true;
}

bool RawServer::ReadRequest(net::Socket socket, std::size_t index, std::string& buffer,
                            Request& request) {
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

bool RawServer::SendAll(net::Socket socket, std::string_view bytes) {
    return net::SendAll(socket, bytes, acceptor_.Stopping());
}

void RawServer::SendHugeReply(net::Socket socket) {
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

void RawServer::DripFeed(net::Socket socket, std::string_view reply) {
    std::size_t headEnd = reply.find(kHeadEnd);
    std::size_t bodyStart = headEnd == std::string_view::npos ? 0 : headEnd + kHeadEnd.size();
    if (!SendAll(socket, reply.substr(0, bodyStart)))
        return;
    for (std::size_t i = bodyStart; i < reply.size() && !acceptor_.Stopping(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!SendAll(socket, reply.substr(i, 1)))
            return;
    }
}

void RawServer::Serve(net::Socket socket, std::size_t index) {
    {
        std::lock_guard lock(mutex_);
        connections_.resize(std::max(connections_.size(), index + 1));
    }
    std::string buffer;
    Request request;
    bool open = true;
    while (open && ReadRequest(socket, index, buffer, request)) {
        std::string reply;
        {
            std::lock_guard lock(mutex_);
            std::size_t since = std::max<std::size_t>(requests_.size() - repliesFrom_, 1);
            reply = replies_.at(std::min(since, replies_.size()) - 1);
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
            case Behaviour::kDripFeed:
                DripFeed(socket, reply);
                open = false;
                break;
        }
    }
}

}  // namespace zarn::test
