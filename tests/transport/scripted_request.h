#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "transport/http_request.h"

namespace zarn::test {

// A request object that follows a script: it records every call and fails the one step it is
// told to fail.
struct RequestScript {
    enum class Step {
        kNone,
        kCreate,
        kOpen,
        kHeader,  // the header numbered `failingHeader`
        kSend,
        kStatus,
        kStatusText,
        kResponseText,
        kResponseXml,
    };

    Step failing = Step::kNone;
    int failingHeader = 0;
    HResult sendFailure = kFail;
    std::int32_t status = 200;
    std::u16string statusText = u"OK";
    std::u16string responseText;

    // What the request object was asked to do.
    std::u16string method, url, user, password;
    bool asynchronous = true;
    std::vector<std::pair<std::u16string, std::u16string>> headers;
    const ByteStream* body = nullptr;
    std::uint64_t length = 0;
    int sends = 0;
    int created = 0;
    int released = 0;
};

class ScriptedRequestFactory : public HttpRequestFactory {
  public:
    explicit ScriptedRequestFactory(RequestScript& script) : script_(script) {}
    HResult Create(std::unique_ptr<HttpRequest>& request) override;

  private:
    RequestScript& script_;
};

}  // namespace zarn::test
