#include "tests/transport/transport_fixture.h"

#include <algorithm>
#include <cstring>

#include "common/utf16_text.h"
#include "tests/support/test_http_factory.h"

namespace zarn::test {

TransportServices::TransportServices() : TransportServices(TestHttpRequestFactory()) {}

TransportServices::TransportServices(std::unique_ptr<HttpRequestFactory> factory)
    : http(std::move(factory)),
      services{files, *http, PlatformXmlDocumentFactory(), PlatformTexts(), ui} {}

std::string Narrow(std::u16string_view text) {
    return ToUtf8(text);
}

}  // namespace zarn::test
