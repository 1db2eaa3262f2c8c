#pragma once

// The few socket operations that the loopback servers of the tests and benchmarks need, on POSIX
// and on Winsock alike.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zarn::net {

using Socket = std::intptr_t;
constexpr Socket kNoSocket = -1;

// Listens on 127.0.0.1 with an ephemeral port; throws std::runtime_error when it cannot.
Socket ListenOnLoopback(int& port);
// The next connection, or kNoSocket.
Socket Accept(Socket listener);
void Close(Socket socket);

// Waits at most `milliseconds` until the socket can be read (or written): 1 when it can, 0 when
// the time ran out, less than 0 when the socket failed.
int Poll(Socket socket, bool forWriting, int milliseconds);

// Waits until the socket can be read (or written), polling `stop` in between; false when `stop`
// was set or the socket failed.
bool WaitUntilReady(Socket socket, bool forWriting, const std::atomic<bool>& stop);

// The bytes moved, or 0 or less when the connection ended or failed.
long Receive(Socket socket, char* buffer, std::size_t capacity);
long Send(Socket socket, const char* bytes, std::size_t count);

// Sends every byte, waiting as the socket lets it; false when `stop` was set or the connection
// failed.
bool SendAll(Socket socket, std::string_view bytes, const std::atomic<bool>& stop);

}  // namespace zarn::net
