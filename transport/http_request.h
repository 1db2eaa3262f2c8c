#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/byte_stream.h"
#include "common/hresult.h"
#include "transport/xml_document.h"

namespace zarn {

// The request-object seam: one synchronous HTTP request, as the platform's XML HTTP request
// object performs it. Headers go on the wire in the order they were set.
class HttpRequest {
  public:
    virtual ~HttpRequest() = default;

    [[nodiscard]] virtual HResult Open(std::u16string_view method, std::u16string_view url,
                                       bool asynchronous, std::u16string_view user,
                                       std::u16string_view password) = 0;
    [[nodiscard]] virtual HResult SetRequestHeader(std::u16string_view name,
                                                   std::u16string_view value) = 0;

    // Sends the first `length` bytes of `body`, or no body when it is null, and returns once
    // the complete reply has arrived or the transfer failed.
    [[nodiscard]] virtual HResult Send(const ByteStream* body, std::uint64_t length) = 0;

    [[nodiscard]] virtual HResult GetStatus(std::int32_t& status) = 0;
    [[nodiscard]] virtual HResult GetStatusText(std::u16string& text) = 0;
    [[nodiscard]] virtual HResult GetResponseText(std::u16string& text) = 0;
    // The reply body parsed as XML; a body that is not XML gives an empty document.
    [[nodiscard]] virtual HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) = 0;
};

class HttpRequestFactory {
  public:
    virtual ~HttpRequestFactory() = default;
    [[nodiscard]] virtual HResult Create(std::unique_ptr<HttpRequest>& request) = 0;
};

HttpRequestFactory& PlatformHttpRequestFactory();

// Time limits that a caller sets for every request object of a factory; zero keeps the
// platform's own.
struct TransferLimits {
    std::chrono::seconds connectTimeout{0};
    std::chrono::seconds timeout{0};  // the whole request, from its start to the reply's end
};

// The platform's request objects with the caller's limits; null where they take none.
[[nodiscard]] std::unique_ptr<HttpRequestFactory> CreatePlatformHttpRequestFactory(
    const TransferLimits& limits);

}  // namespace zarn
