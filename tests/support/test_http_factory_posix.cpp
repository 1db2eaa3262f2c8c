#include "tests/support/test_http_factory.h"

#include "tests/support/curl_short_limits.h"

namespace zarn::test {

std::unique_ptr<HttpRequestFactory> TestHttpRequestFactory() {
    return CreateCurlHttpRequestFactory(ShortLimits());
}

bool RequestObjectReversesHeaders() {
    return false;
}

}  // namespace zarn::test
