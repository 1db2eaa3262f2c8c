// Loading of one store's keys, document types and links from the server.

#include "catalogue/catalogue_reply.h"
#include "catalogue/doc_store.h"
#include "common/utf16_text.h"
#include "transport/url_encode.h"

namespace zarn {

bool DocStore::LoadDetails(const Services& services, std::u16string_view serverURL,
                           std::u16string_view userName, std::u16string_view password) {
    // Links are emptied too, so that loading a store again never doubles them.
    docTypes.clear();
    keys.clear();
    links.clear();
    std::u16string url =
        FillTemplate(u"%s/docStore/store/%s/docTypeKey/", {serverURL, UrlEncode(name)});
    std::unique_ptr<XmlDocument> reply = FetchCatalogueReply(services, url, userName, password);
    if (!reply)
        return false;
    AppendContainedRecords(*reply, u"/ZARN/docStore/store/docStoreKeys", u"docStoreKey", keys);
    AppendContainedRecords(*reply, u"/ZARN/docStore/store/documentTypes", u"documentType",
                           docTypes);
    AppendContainedRecords(*reply, u"/ZARN/docStore/store/documentTypeKeys", u"documentTypeKey",
                           links);
    return true;
}

}  // namespace zarn
