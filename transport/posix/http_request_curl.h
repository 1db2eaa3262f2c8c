#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "transport/http_request.h"

namespace zarn {

// Limits of the libcurl request object. The defaults of the first two are those of the
// platform's request object; tests set shorter ones. A transfer that passes one ends as a
// timeout (each is checked about once a second).
struct CurlHttpOptions {
    std::chrono::milliseconds connectTimeout{60000};
    // Once connected, a transfer with no byte moving either way for this long fails.
    std::chrono::milliseconds idleTimeout{30000};
    // Once connected, a transfer that moves fewer than `slowBytes` either way within
    // `slowWindow` fails, so that a server feeding its reply a byte at a time cannot hold a
    // request for ever. A kilobyte a minute is far below the slowest link in use.
    std::uint64_t slowBytes = 1024;
    std::chrono::milliseconds slowWindow{60000};
    // The whole request, connection included; zero for no limit.
    std::chrono::milliseconds timeout{0};
    // A reply body larger than this fails rather than filling memory.
    std::uint64_t maxReplyBytes = std::uint64_t{64} << 20;
};

// A factory of libcurl request objects. A connection to a server stays open from one request
// object to the next; kept connections live as long as the factory or the last request object
// made by it.
[[nodiscard]] std::unique_ptr<HttpRequestFactory> CreateCurlHttpRequestFactory(
    const CurlHttpOptions& options);

}  // namespace zarn
