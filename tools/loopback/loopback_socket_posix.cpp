#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "tools/loopback/loopback_socket.h"

namespace zarn::net {
namespace {

// How often a wait looks at its stop flag.
int Handle(Socket socket) {
    return static_cast<int>(socket);
}

}  // namespace

Socket ListenOnLoopback(int& port) {
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener >= 0)
            ::close(listener);
        throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return listener;
}

Socket Accept(Socket listener) {
    int socket = ::accept4(Handle(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return socket < 0 ? kNoSocket : socket;
}

void Close(Socket socket) {
    ::close(Handle(socket));
}

int Poll(Socket socket, bool forWriting, int milliseconds) {
    pollfd wait{Handle(socket), static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
    return ::poll(&wait, 1, milliseconds);
}

long Receive(Socket socket, char* buffer, std::size_t capacity) {
    return static_cast<long>(::recv(Handle(socket), buffer, capacity, 0));
}

long Send(Socket socket, const char* bytes, std::size_t count) {
    return static_cast<long>(::send(Handle(socket), bytes, count, MSG_NOSIGNAL));
}

}  // namespace zarn::net
