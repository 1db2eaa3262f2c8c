// Any bytes as the server's reply: the store list, every store's details and the status
// description of a failed post are read from them as the platform's request object hands
// them over.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/doc_store_manager.h"
#include "catalogue/xml_fields.h"
#include "common/file_system.h"
#include "common/text.h"
#include "common/texts.h"
#include "common/user_interface.h"
#include "transport/http_client.h"
#include "transport/posix/libxml2_document.h"

namespace {

using namespace zarn;

// A request object whose every reply is status 200 with the same body.
class CannedRequest final : public HttpRequest {
  public:
    explicit CannedRequest(std::string_view body) : body_(body) {}

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
        document = ParseXmlBytes(body_);
        return kOk;
    }

  private:
    std::string_view body_;
};

class CannedRequestFactory final : public HttpRequestFactory {
  public:
    explicit CannedRequestFactory(std::string_view body) : body_(body) {}
    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        request = std::make_unique<CannedRequest>(body_);
        return kOk;
    }

  private:
    std::string_view body_;
};

class SilentUserInterface final : public UserInterface {
  public:
    MessageBoxAnswer ShowMessageBox(const std::u16string&, const std::u16string&,
                                    MessageBoxKind) override {
        return MessageBoxAnswer::kOk;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CannedRequestFactory http(bytes);
    SilentUserInterface ui;
    Services services{PlatformFileSystem(), http, PlatformXmlDocumentFactory(), PlatformTexts(),
                      ui};
    CDocStoreManager manager(services);
    manager.SetServerURL(u"http://127.0.0.1:9");
    manager.LoadCatalogue();
    // No text grows past the catalogue's limit.
    for (const DocStore& store : manager.Stores()) {
        if (store.name.size() > kMaxCatalogueText || store.description.size() > kMaxCatalogueText)
            __builtin_trap();
        std::vector<DocTypeKey> keys;
        for (const DocStoreDocType& type : store.docTypes)
            store.GetDocTypeKeys(type.name, keys);
    }
    ReplyStatusDescription(PlatformXmlDocumentFactory(), FromUtf8(bytes));
    return 0;
}
