#pragma once

#include <memory>

#include "transport/http_request.h"

namespace zarn::test {

// The platform's request objects for tests: with short time limits where the platform lets a
// caller set them, so that a silent server fails a test quickly.
std::unique_ptr<HttpRequestFactory> TestHttpRequestFactory();

// Whether the platform's request object puts the headers on the wire newest first rather than in
// the order they were set (Wine's does).
bool RequestObjectReversesHeaders();

}  // namespace zarn::test
