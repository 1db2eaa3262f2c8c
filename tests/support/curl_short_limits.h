#pragma once

#include "transport/posix/http_request_curl.h"

namespace zarn::test {

// Limits of the libcurl request object that keep a test against a silent server short.
inline CurlHttpOptions ShortLimits() {
    CurlHttpOptions options;
    options.connectTimeout = std::chrono::milliseconds(2000);
    options.idleTimeout = std::chrono::milliseconds(500);
    return options;
}

}  // namespace zarn::test
