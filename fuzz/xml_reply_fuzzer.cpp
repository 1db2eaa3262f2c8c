// Any bytes as the server's reply: the store list, every store's details and the status
// description of a failed post are read from them as the platform's request object hands
// them over.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/doc_store_manager.h"
#include "catalogue/xml_fields.h"
#include "common/file_system.h"
#include "common/texts.h"
#include "common/user_interface.h"
#include "common/utf16_text.h"
#include "tests/support/canned_request.h"
#include "transport/http_client.h"

namespace {

using namespace zarn;

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
    test::CannedRequestFactory http(bytes);
    SilentUserInterface ui;
    Services services{PlatformFileSystem(), http, PlatformXmlDocumentFactory(), PlatformTexts(),
                      ui};
    CDocStoreManager manager(services);
    manager.SetServerURL(u"http://127.0.0.1:9");
    // Most inputs make the load fail; what it kept is checked either way.
    static_cast<void>(manager.LoadCatalogue());
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
