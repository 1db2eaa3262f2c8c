#include "tools/cli/catalogue_reply_check.h"

#include "common/resource_texts.h"
#include "common/texts.h"
#include "common/user_interface.h"
#include "resources/string_ids.h"

namespace zarn::tools {

namespace {

// Hands every call on, and each parsed reply to the check first.
class CheckedRequest final : public HttpRequest {
  public:
    CheckedRequest(std::unique_ptr<HttpRequest> request, CatalogueReplyCheck& check)
        : request_(std::move(request)), check_(check) {}

    HResult Open(std::u16string_view method, std::u16string_view url, bool asynchronous,
                 std::u16string_view user, std::u16string_view password) override {
        url_ = url;
        return request_->Open(method, url, asynchronous, user, password);
    }
    HResult SetRequestHeader(std::u16string_view name, std::u16string_view value) override {
        return request_->SetRequestHeader(name, value);
    }
    HResult Send(const ByteStream* body, std::uint64_t length) override {
        return request_->Send(body, length);
    }
    HResult GetStatus(std::int32_t& status) override { return request_->GetStatus(status); }
    HResult GetStatusText(std::u16string& text) override { return request_->GetStatusText(text); }
    HResult GetResponseText(std::u16string& text) override {
        return request_->GetResponseText(text);
    }
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override {
        HResult result = request_->GetResponseXml(document);
        if (Succeeded(result) && document) {
            check_.Check(url_, *document);
        }
        return result;
    }

  private:
    std::unique_ptr<HttpRequest> request_;
    CatalogueReplyCheck& check_;
    std::u16string url_;
};

}  // namespace

HResult CatalogueReplyCheck::Create(std::unique_ptr<HttpRequest>& request) {
    std::unique_ptr<HttpRequest> created;
    HResult result = services_.http.Create(created);
    if (Succeeded(result) && created) {
        request = std::make_unique<CheckedRequest>(std::move(created), *this);
    }
    return result;
}

void CatalogueReplyCheck::Check(const std::u16string& url, const XmlDocument& document) {
    std::u16string reason;
    if (!document.SelectSingleNode(u"/*")) {
        reason = u"it is not well-formed XML, or it nests elements too deeply";
    } else if (!document.SelectSingleNode(u"/ZARN")) {
        reason = u"its root element is not ZARN";
    } else {
        return;
    }
    refused_.insert(url);
    services_.ui.ShowMessageBox(
        FormatResourceMessage(services_.texts, IDS_RETRIEVE_FAILED,
                              {url, u"The reply is not a catalogue document: " + reason}),
        kModuleName, MessageBoxKind::kOk);
}

}  // namespace zarn::tools
