#pragma once

#include <string>
#include <string_view>

namespace zarn::test {

// One client connection to 127.0.0.1 that sends bytes as given and reads replies as they come,
// for what an HTTP library would hide: which connection a request goes over, and when the
// server ends it. Reads give up after ten seconds.
class RawClient {
  public:
    explicit RawClient(int port);
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    void Send(std::string_view bytes);
    // The next reply, head and a body of its Content-Length; what came, when the connection
    // ended first.
    std::string ReadReply();
    // True when the server has ended the connection, with nothing more sent.
    bool Ended();

  private:
    // False when the connection ended or failed.
    bool Receive();

    int socket_;
    std::string received_;
};

}  // namespace zarn::test
