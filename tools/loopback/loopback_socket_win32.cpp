#include <winsock2.h>

#include <climits>
#include <stdexcept>

#include "tools/loopback/loopback_socket.h"

namespace zarn::net {
namespace {

SOCKET Handle(Socket socket) {
    return static_cast<SOCKET>(socket);
}

int Clamp(std::size_t count) {
    return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

// Winsock is started once for the program and left running until it exits.
void StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        throw std::runtime_error("loopback server: WSAStartup failed");
}

}  // namespace

Socket ListenOnLoopback(int& port) {
    StartWinsock();
    SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (listener == INVALID_SOCKET ||
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener != INVALID_SOCKET)
            ::closesocket(listener);
        throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return static_cast<Socket>(listener);
}

Socket Accept(Socket listener) {
    SOCKET socket = ::accept(Handle(listener), nullptr, nullptr);
    if (socket == INVALID_SOCKET)
        return kNoSocket;
    // A reply goes out at once, not after the client's delayed acknowledgement: a catalogue of
    // thousands of stores is thousands of requests.
    const BOOL noDelay = TRUE;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                 sizeof noDelay);
    return static_cast<Socket>(socket);
}

void Close(Socket socket) {
    ::closesocket(Handle(socket));
}

int Poll(Socket socket, bool forWriting, int milliseconds) {
    WSAPOLLFD wait{Handle(socket), static_cast<SHORT>(forWriting ? POLLOUT : POLLIN), 0};
    return ::WSAPoll(&wait, 1, milliseconds);
}

long Receive(Socket socket, char* buffer, std::size_t capacity) {
    return ::recv(Handle(socket), buffer, Clamp(capacity), 0);
}

long Send(Socket socket, const char* bytes, std::size_t count) {
    return ::send(Handle(socket), bytes, Clamp(count), 0);
}

}  // namespace zarn::net
