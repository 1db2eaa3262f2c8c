#include "catalogue/doc_store_manager.h"

#include "catalogue/catalogue_reply.h"
#include "catalogue/find_first.h"

namespace zarn {

void CDocStoreManager::SetServerURL(std::u16string_view serverURL) {
    if (serverURL != serverURL_) {
        stores_.clear();
        serverURL_ = serverURL;
    }
}

void CDocStoreManager::SetCredentials(std::u16string_view userName, std::u16string_view password) {
    userName_ = userName;
    password_ = password;
}

bool CDocStoreManager::LoadCatalogue() {
    stores_.clear();
    std::unique_ptr<XmlDocument> reply =
        FetchCatalogueReply(services_, serverURL_ + u"/docStore/store/", userName_, password_);
    if (!reply)
        return false;
    AppendRecords(reply->SelectNodes(u"/ZARN/docStore/store"), stores_);
    LoadAllDetails();
    return true;
}

void CDocStoreManager::LoadAllDetails() {
    for (DocStore& store : stores_)
        // A store whose details fail keeps none; the user has been told in a message box.
        static_cast<void>(store.LoadDetails(services_, serverURL_, userName_, password_));
}

const DocStore* CDocStoreManager::FindDocStore(std::u16string_view name) const {
    return FindByName(stores_, name);
}

}  // namespace zarn
