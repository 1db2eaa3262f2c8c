#pragma once

#include <httplib.h>

#include "tests/support/httplib_multipart.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace zarn::test {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// One request as the server received it.
struct RecordedRequest {
    std::string method;
    std::string target;  // path and query exactly as they came in the request line
    HeaderList headers;  // cpp-httplib keeps them sorted by name; RawServer sees the wire order
    std::string body;    // exactly as received; empty when the server discards bodies
    std::uint64_t bodyLength = 0;  // bytes of the body that the server read

    // The first value of a header (names compared without case), or nothing.
    std::optional<std::string> Header(std::string_view name) const;
    // The body's multipart/form-data parts as cpp-httplib parses them; nothing when it refuses.
    std::optional<std::vector<ParsedPart>> Parts() const;
};

// What the server answers for a path.
struct Reply {
    int status = 200;  // sent with its standard reason phrase (RawServer sends any other)
    std::string contentType = "text/xml";
    std::string body;
    HeaderList headers;
};

// An HTTP server on 127.0.0.1 with an ephemeral port, running on its own thread from
// construction to destruction. Records every request and answers from a table of replies keyed
// by the request path as it came in (percent-encoding kept, query left out).
class TestServer {
  public:
    struct Options {
        // Reads request bodies without keeping them (only their length): for large uploads.
        bool discardBodies = false;
    };

    TestServer();
    explicit TestServer(Options options);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::u16string Url(std::string_view path = "") const;

    void SetReply(const std::string& path, Reply reply);
    // The reply for paths without one of their own; a 404 unless set.
    void SetDefaultReply(Reply reply);
    // Requests without these Basic credentials are answered 401 with a Basic challenge.
    void RequireBasicAuth(std::string user, std::string password);

    std::vector<RecordedRequest> Requests() const;
    std::size_t RequestCount() const;

  private:
    void Handle(const httplib::Request& request, httplib::Response& response,
                RecordedRequest record);
    bool Authorised(const httplib::Request& request) const;

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;

    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    Reply defaultReply_;
    std::optional<std::string> expectedAuthorization_;
    std::vector<RecordedRequest> requests_;
};

}  // namespace zarn::test
