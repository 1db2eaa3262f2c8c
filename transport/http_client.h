#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/byte_stream.h"
#include "common/hresult.h"
#include "common/services.h"
#include "common/texts.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn {

// A readable line for a transport failure code: "Unable to contact server" for a server that
// cannot be reached, else the system's text, else "Unknown error 0x…".
std::u16string ErrorCodeText(Texts& texts, HResult code);

// The text of the first element whose id attribute is "statusDescription" in a server's error
// reply; empty when the reply is not XML or has no such element.
std::u16string ReplyStatusDescription(XmlDocumentFactory& xml, std::u16string_view replyText);

// The mechanics that every request shares. Each step returns false with `error` set to its
// one line of text when it fails.

// Creates the request object, opens it (synchronous, credentials always passed) and sets the
// two headers that every request carries.
[[nodiscard]] bool OpenRequest(const Services& services, std::u16string_view method,
                               std::u16string_view url, std::u16string_view user,
                               std::u16string_view password, std::unique_ptr<HttpRequest>& request,
                               std::u16string& error);

// How a request words its two failures that differ between POST and GET.
struct FailureWording {
    std::u16string (*sendFailure)(Texts& texts, HResult code);
    std::u16string (*statusFailure)(const Services& services, HttpRequest& request,
                                    std::int32_t status);
};

// Sends the first `length` bytes of `body` (or no body), then judges the reply: status 200
// gives the parsed reply in `response`; anything else is a failure.
[[nodiscard]] bool SendAndJudge(const Services& services, HttpRequest& request,
                                const ByteStream* body, std::uint64_t length,
                                const FailureWording& wording,
                                std::unique_ptr<XmlDocument>& response, std::u16string& error);

// The reply's reason phrase, empty when it cannot be read.
std::u16string ReasonPhrase(HttpRequest& request);

}  // namespace zarn
