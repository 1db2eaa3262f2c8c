#include "bench/discarding_server.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace zarn::bench {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";
constexpr std::string_view kReply =
    "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5\r\n\r\n<ok/>";

// The Content-Length of a request head (spelt as the benchmarked clients spell it), 0 without
// one; false for a value that is no number.
bool BodyLength(std::string_view head, std::uint64_t& length) {
    constexpr std::string_view kName = "\r\nContent-Length:";
    length = 0;
    const std::size_t at = head.find(kName);
    if (at == std::string_view::npos)
        return true;
    std::string_view value = head.substr(at + kName.size());
    value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
    return std::from_chars(value.data(), value.data() + value.size(), length).ec == std::errc();
}

}  // namespace

DiscardingServer::DiscardingServer()
    : acceptor_([this](net::Socket socket, std::size_t) { Serve(socket); }) {}

std::string DiscardingServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(acceptor_.Port()) + path;
}

void DiscardingServer::Serve(net::Socket socket) {
    std::string pending;
    while (Discard(socket, pending) && net::SendAll(socket, kReply, acceptor_.Stopping()))
        ++requests_;
}

bool DiscardingServer::Discard(net::Socket socket, std::string& pending) {
    std::size_t headEnd;
    while ((headEnd = pending.find(kHeadEnd)) == std::string::npos) {
        if (!Receive(socket, pending))
            return false;
    }
    headEnd += kHeadEnd.size();
    std::uint64_t left = 0;
    if (!BodyLength(std::string_view(pending).substr(0, headEnd), left))
        return false;
    pending.erase(0, headEnd);
    // What has come of the body so far is dropped, and so is each later piece of it.
    while (pending.size() < left) {
        left -= pending.size();
        pending.clear();
        if (!Receive(socket, pending))
            return false;
    }
    pending.erase(0, static_cast<std::size_t>(left));
    return true;
}

bool DiscardingServer::Receive(net::Socket socket, std::string& pending) {
    if (!net::WaitUntilReady(socket, false, acceptor_.Stopping()))
        return false;
    char chunk[65536];
    const long got = net::Receive(socket, chunk, sizeof chunk);
    if (got <= 0)
        return false;
    pending.append(chunk, static_cast<std::size_t>(got));
    return true;
}

}  // namespace zarn::bench
