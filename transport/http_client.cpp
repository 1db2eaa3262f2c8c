#include "transport/http_client.h"

#include "common/utf16_text.h"

namespace zarn {

std::u16string ErrorCodeText(Texts& texts, HResult code) {
    if (code == kResourceNotFound)
        return u"Unable to contact server";
    if (std::optional<std::u16string> text = texts.SystemErrorText(code))
        return Trim(*text);
    return u"Unknown error " + Hex8(static_cast<std::uint32_t>(code));
}

std::u16string ReplyStatusDescription(XmlDocumentFactory& xml, std::u16string_view replyText) {
    std::unique_ptr<XmlDocument> document;
    if (Failed(xml.Create(document)) || !document || !document->LoadXml(replyText))
        return {};
    std::unique_ptr<XmlNode> node = document->SelectSingleNode(u"//*[@id='statusDescription']");
    return node ? node->Text() : std::u16string();
}

bool OpenRequest(const Services& services, std::u16string_view method, std::u16string_view url,
                 std::u16string_view user, std::u16string_view password,
                 std::unique_ptr<HttpRequest>& request, std::u16string& error) {
    if (Failed(services.http.Create(request)) || !request) {
        error = u"Failed to create XMLHTTPRequest";
        return false;
    }
    if (Failed(request->Open(method, url, false, user, password))) {
        error = u"Failed to open XMLHTTPRequest";
        return false;
    }
    if (Failed(request->SetRequestHeader(u"If-Modified-Since", u"Sat, 1 Jan 2000 00:00:00 GMT")) ||
        Failed(request->SetRequestHeader(u"charset", u"utf-8"))) {
        error = u"Failed to setRequestHeader";
        return false;
    }
    return true;
}

bool SendAndJudge(const Services& services, HttpRequest& request, const ByteStream* body,
                  std::uint64_t length, const FailureWording& wording,
                  std::unique_ptr<XmlDocument>& response, std::u16string& error) {
    if (HResult sent = request.Send(body, length); Failed(sent)) {
        error = wording.sendFailure(services.texts, sent);
        return false;
    }
    std::int32_t status = 0;
    if (Failed(request.GetStatus(status))) {
        error = u"Failed to get_status";
        return false;
    }
    if (status != 200) {
        error = wording.statusFailure(services, request, status);
        return false;
    }
    std::unique_ptr<XmlDocument> document;
    if (Failed(request.GetResponseXml(document)) || !document) {
        error = u"Failed to get_responseText";
        return false;
    }
    response = std::move(document);
    return true;
}

std::u16string ReasonPhrase(HttpRequest& request) {
    std::u16string reason;
    if (Failed(request.GetStatusText(reason)))
        reason.clear();
    return reason;
}

}  // namespace zarn
