#pragma once

// A request object without a server, for the POSIX build: every request is answered with
// status 200 and the same body, whose parsed document is what the libcurl request object would
// give, unless a failure of the XML component is asked for. Header-only, so that the fuzz
// targets can use it without the test framework.

#include <memory>
#include <string>
#include <string_view>

#include "common/utf16_text.h"
#include "transport/http_request.h"
#include "transport/posix/libxml2_document.h"

namespace zarn::test {

class CannedRequest final : public HttpRequest {
  public:
    CannedRequest(std::string_view body, HResult xmlResult) : body_(body), xmlResult_(xmlResult) {}

    HResult Open(std::u16string_view, std::u16string_view, bool, std::u16string_view,
                 std::u16string_view) override {
        return kOk;
    }
    HResult SetRequestHeader(std::u16string_view, std::u16string_view) override { return kOk; }
    HResult Send(const ByteStream*, std::uint64_t) override { return kOk; }
    HResult GetStatus(std::int32_t& status) override {
        status = 200;
        return kOk;
    }
    HResult GetStatusText(std::u16string& text) override {
        text = u"OK";
        return kOk;
    }
    HResult GetResponseText(std::u16string& text) override {
        text = FromUtf8(body_);
        return kOk;
    }
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override {
        if (Failed(xmlResult_))
            return xmlResult_;
        document = ParseXmlBytes(body_);
        return kOk;
    }

  private:
    std::string_view body_;
    HResult xmlResult_;
};

class CannedRequestFactory final : public HttpRequestFactory {
  public:
    // `body` must outlive the factory and its requests.
    explicit CannedRequestFactory(std::string_view body, HResult xmlResult = kOk)
        : body_(body), xmlResult_(xmlResult) {}

    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        request = std::make_unique<CannedRequest>(body_, xmlResult_);
        return kOk;
    }

  private:
    std::string_view body_;
    HResult xmlResult_;
};

}  // namespace zarn::test
