#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "transport/http_request.h"

namespace zarn {

// Limits of the libcurl request object. The defaults are those of the platform's request
// object; tests set shorter ones.
struct CurlHttpOptions {
    std::chrono::milliseconds connectTimeout{60000};
    // Once connected, a transfer with no byte moving either way for this long fails (checked
    // about once a second while idle).
    std::chrono::milliseconds idleTimeout{30000};
    // A reply body larger than this fails rather than filling memory.
    std::uint64_t maxReplyBytes = std::uint64_t{64} << 20;
};

// A factory of libcurl request objects. A connection to a server stays open from one request
// object to the next; kept connections live as long as the factory or the last request object
// made by it.
std::unique_ptr<HttpRequestFactory> CreateCurlHttpRequestFactory(const CurlHttpOptions& options);

}  // namespace zarn
