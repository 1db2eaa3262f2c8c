#include "catalogue/catalogue_reply.h"

#include "common/resource_texts.h"
#include "common/texts.h"
#include "common/user_interface.h"
#include "resources/string_ids.h"
#include "transport/http_get.h"

namespace zarn {

std::unique_ptr<XmlDocument> FetchCatalogueReply(const Services& services,
                                                 const std::u16string& url,
                                                 std::u16string_view userName,
                                                 std::u16string_view password) {
    std::unique_ptr<XmlDocument> reply;
    std::u16string error;
    if (!HttpGet(services, url, userName, password, reply, error)) {
        services.ui.ShowMessageBox(
            FormatResourceMessage(services.texts, IDS_RETRIEVE_FAILED, {url, error}), kModuleName,
            MessageBoxKind::kOk);
        return nullptr;
    }
    return reply;
}

}  // namespace zarn
