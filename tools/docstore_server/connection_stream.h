#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <string>

#include <httplib.h>

#include "tools/docstore_server/request_deadlines.h"

namespace zarn::docstore {

// One accepted connection as cpp-httplib reads and writes a request through it. Reads are
// buffered, so that a request head is not read one byte per system call, and the buffer lasts as
// long as the connection, so that no byte of a following request is lost between requests.
// Reads keep the request's deadlines: once one has passed, every read fails and Late() is true.
class ConnectionStream final : public httplib::Stream {
  public:
    ConnectionStream(socket_t socket, const RequestDeadlines& deadlines,
                     std::chrono::microseconds writeTimeout);

    // Waits up to `idle` for the first byte of a next request (or for the end of the
    // connection); false when nothing came. When something came, the head's deadline runs.
    bool AwaitRequest(std::chrono::milliseconds idle);
    // The head has been read: from now on the body's pace counts.
    void BeginBody();
    bool Late() const { return late_; }
    // Whether any byte of a reply has gone out since the request began.
    bool Replied() const { return written_ > 0; }
    // Reads and drops what the client still sends, until it ends the connection or for `most`.
    void DropUntilEnd(std::chrono::milliseconds most);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* data, size_t size) override;
    ssize_t write(const char* data, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return socket_; }

  private:
    using Clock = std::chrono::steady_clock;

    bool Await(short events, Clock::time_point until) const;
    // When the wait for the next bytes must end; sets late_ when the body's window closed short.
    Clock::time_point ReadLimit();
    // Fills the empty buffer; what recv returned, or -1 when the deadline passed first.
    ssize_t Refill();

    socket_t socket_;
    RequestDeadlines deadlines_;
    std::chrono::milliseconds writeTimeout_;
    bool inBody_ = false;
    bool late_ = false;
    Clock::time_point limit_;  // the head's deadline, or the end of the body's window
    std::size_t windowBytes_ = 0;
    std::size_t written_ = 0;
    std::array<char, 16384> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace zarn::docstore
