#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <string>

#include <httplib.h>

namespace zarn::docstore {

// One accepted connection as cpp-httplib reads and writes a request through it. Reads are
// buffered, so that a request head is not read one byte per system call, and the buffer lasts as
// long as the connection, so that no byte of a following request is lost between requests.
class ConnectionStream final : public httplib::Stream {
  public:
    ConnectionStream(socket_t socket, std::chrono::microseconds readTimeout,
                     std::chrono::microseconds writeTimeout);

    // Waits up to `idle` for the first byte of a next request (or for the end of the
    // connection); false when nothing came.
    bool AwaitRequest(std::chrono::milliseconds idle) const;

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* data, size_t size) override;
    ssize_t write(const char* data, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return socket_; }

  private:
    bool Await(short events, std::chrono::milliseconds timeout) const;

    socket_t socket_;
    std::chrono::milliseconds readTimeout_;
    std::chrono::milliseconds writeTimeout_;
    std::array<char, 16384> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace zarn::docstore
