#include "transport/http_get.h"

#include "common/utf16_text.h"
#include "transport/http_client.h"

namespace zarn {
namespace {

std::u16string GetSendFailure(Texts& texts, HResult code) {
    return FillTemplate(u"http request failed: %s", {ErrorCodeText(texts, code)});
}

std::u16string GetStatusFailure(const Services&, HttpRequest& request, std::int32_t status) {
    return FillTemplate(u"HTTP Request returned %d, %s", {Decimal(status), ReasonPhrase(request)});
}

}  // namespace

bool HttpGet(const Services& services, std::u16string_view url, std::u16string_view user,
             std::u16string_view password, std::unique_ptr<XmlDocument>& response,
             std::u16string& error) {
    std::unique_ptr<HttpRequest> request;
    if (!OpenRequest(services, u"GET", url, user, password, request, error))
        return false;
    return SendAndJudge(services, *request, nullptr, 0, {GetSendFailure, GetStatusFailure},
                        response, error);
}

}  // namespace zarn
