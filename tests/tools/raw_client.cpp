#include "tests/tools/raw_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <stdexcept>

namespace zarn::test {

RawClient::RawClient(int port) : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const timeval patience{10, 0};
    if (socket_ < 0 ||
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience) != 0 ||
        connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (socket_ >= 0) {
            close(socket_);
        }
        throw std::runtime_error("raw client: cannot connect to 127.0.0.1");
    }
}

RawClient::~RawClient() {
    close(socket_);
}

void RawClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool RawClient::Receive() {
    char buffer[4096];
    const ssize_t count = recv(socket_, buffer, sizeof buffer, 0);
    if (count <= 0) {
        return false;
    }
    received_.append(buffer, static_cast<std::size_t>(count));
    return true;
}

std::string RawClient::ReadReply() {
    std::size_t headEnd = std::string::npos;
    while ((headEnd = received_.find("\r\n\r\n")) == std::string::npos && Receive()) {
    }
    std::size_t length = 0;
    if (headEnd != std::string::npos) {
        const std::string head = received_.substr(0, headEnd);
        const std::size_t at = head.find("Content-Length: ");
        length = at == std::string::npos ? 0 : std::stoul(head.substr(at + 16));
        headEnd += 4;
        while (received_.size() < headEnd + length && Receive()) {
        }
    }
    const std::size_t end = headEnd == std::string::npos
                                ? received_.size()
                                : std::min(received_.size(), headEnd + length);
    std::string reply = received_.substr(0, end);
    received_.erase(0, end);
    return reply;
}

bool RawClient::Ended() {
    char byte = 0;
    return received_.empty() && recv(socket_, &byte, 1, 0) == 0;
}

}  // namespace zarn::test
