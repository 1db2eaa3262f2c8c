#include "tests/support/test_http_factory.h"

#include <windows.h>

namespace zarn::test {
namespace {

// MSXML's request object takes no time limits; the factory hands out the module's own.
class PlatformFactory final : public HttpRequestFactory {
  public:
    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        return PlatformHttpRequestFactory().Create(request);
    }
};

}  // namespace

std::unique_ptr<HttpRequestFactory> TestHttpRequestFactory() {
    return std::make_unique<PlatformFactory>();
}

bool RequestObjectReversesHeaders() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace zarn::test
